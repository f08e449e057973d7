#include "app/IconArt.h"

#include "app/AlphaBlur.h"

#include <QBuffer>
#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QSaveFile>

#include <array>
#include <cmath>
#include <numbers>
#include <optional>

namespace glossivo::IconArt {

namespace {

const QColor kInk = QColor::fromRgbF(0.17f, 0.15f, 0.13f);
const QColor kPaperTop = QColor::fromRgbF(0.97f, 0.94f, 0.89f);
const QColor kPaperBottom = QColor::fromRgbF(0.93f, 0.88f, 0.80f);
const QColor kLeaf = QColor::fromRgbF(0.87f, 0.55f, 0.22f);
constexpr double kInkAlpha = 0.94;

// The brush circle.
constexpr QPointF kCentre(0.475, 0.485);
constexpr double kBaseRadius = 0.265;
constexpr double kStrokeScale = 0.115;
constexpr int kSteps = 240;
constexpr double kStartAngle = 1.361356816555577; // 78 degrees
constexpr double kSweep = 5.235987755982989;      // 300 degrees

// The leaf, in its own axes from a base point inside the circle's opening.
constexpr double kLeafLength = 0.158;
constexpr QPointF kLeafBase(0.6727795244181245, 0.6970925734695594);
constexpr QPointF kLeafAxis(0.5299192642332049, 0.848048096156426);
constexpr QPointF kLeafAcross(-0.848048096156426, 0.5299192642332049);

// The tile of the application icon, as fractions of the icon's side.
constexpr double kTileMargin = 100.0 / 1024.0;
constexpr double kCornerRadius = 0.225; // of the tile's side
constexpr double kShadowAlpha = 0.28;
constexpr double kShadowBlur = 0.022;
constexpr double kShadowDrop = 0.01;

constexpr int kPreviewPixels = 152;

struct IconSize {
    int pixels;
    const char* name;
};

constexpr std::array<IconSize, 10> kIconset{{{16, "16x16"},
                                             {32, "16x16@2x"},
                                             {32, "32x32"},
                                             {64, "32x32@2x"},
                                             {128, "128x128"},
                                             {256, "128x128@2x"},
                                             {256, "256x256"},
                                             {512, "256x256@2x"},
                                             {512, "512x512"},
                                             {1024, "512x512@2x"}}};

double centreRadius(double angle)
{
    return kBaseRadius *
           (1.0 + 0.028 * std::sin(2.0 * angle + 0.9) + 0.012 * std::sin(5.0 * angle + 0.3));
}

double strokeWidth(double t, double scale)
{
    const double taper = t <= 0.92 ? 1.0 : (1.0 - t) / 0.08;
    return scale * (0.2 + 0.8 * std::pow(1.0 - t, 0.8)) *
           (1.0 + 0.06 * std::sin(3.2 * std::numbers::pi * t + 0.4)) * taper;
}

// The point at distance `offset` across the stroke's centre line, at position t along it.
QPointF strokePoint(double t, double scale, double offset)
{
    const double angle = kStartAngle + kSweep * t;
    const double radius = centreRadius(angle) + offset * strokeWidth(t, scale);
    return kCentre + radius * QPointF(std::cos(angle), std::sin(angle));
}

QPointF leafPoint(double scale, double u, double v)
{
    const double length = kLeafLength * scale;
    return kLeafBase + length * u * kLeafAxis + length * v * kLeafAcross;
}

// Qt's raster images put y downward; the drawings are made with y upward.
void flipUpward(QPainter& painter, double height)
{
    painter.translate(0.0, height);
    painter.scale(1.0, -1.0);
}

QPainterPath tileOutline(double size)
{
    const double margin = size * kTileMargin;
    const double side = size - 2.0 * margin;
    QPainterPath outline;
    outline.addRoundedRect(QRectF(margin, margin, side, side), kCornerRadius * side,
                           kCornerRadius * side);
    return outline;
}

QImage tileShadow(double size)
{
    const int pixels = static_cast<int>(std::ceil(size));
    QImage mask(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    QPainter painter(&mask);
    painter.setRenderHint(QPainter::Antialiasing);
    flipUpward(painter, size);
    painter.translate(0.0, -kShadowDrop * size);
    painter.fillPath(tileOutline(size), Qt::black);
    painter.end();
    // A blur radius, as drawing systems state it, spans about two standard deviations.
    return AlphaBlur::gaussian(mask, kShadowBlur * size / 2.0);
}

QImage appIcon(int pixels)
{
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return image;
    image.fill(Qt::transparent);
    QPainter painter(&image);
    drawAppIcon(painter, pixels);
    return image;
}

QImage menuBarPreview()
{
    QImage image(kPreviewPixels, kPreviewPixels, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return image;
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.drawImage(QRect(0, 0, kPreviewPixels, kPreviewPixels), menuBarImage(kPreviewPixels));
    return image;
}

std::optional<QByteArray> encodePng(const QImage& image)
{
    if (image.isNull()) return std::nullopt;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image)) return std::nullopt;
    return bytes;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return;
    throw WriteError(
        QStringLiteral("无法写入 %1（%2）").arg(path, file.errorString()).toStdString());
}

} // namespace

QPainterPath ensoPath(double weight)
{
    const double scale = kStrokeScale * weight;
    QPainterPath path;
    // The round cap overlaps the stroke; both wind the same way, so together they fill.
    path.setFillRule(Qt::WindingFill);
    path.moveTo(strokePoint(0.0, scale, 0.5));
    for (int i = 1; i <= kSteps; ++i)
        path.lineTo(strokePoint(static_cast<double>(i) / kSteps, scale, 0.5));
    for (int i = kSteps; i >= 0; --i)
        path.lineTo(strokePoint(static_cast<double>(i) / kSteps, scale, -0.5));
    path.closeSubpath();

    const double diameter = strokeWidth(0.0, scale);
    const QPointF start = strokePoint(0.0, scale, 0.0);
    const QRectF cap(start.x() - diameter / 2.0, start.y() - diameter / 2.0, diameter, diameter);
    // Qt's angles turn the other way round in these y-up coordinates: a negative sweep runs
    // counter-clockwise here, like the stroke's outline.
    path.arcMoveTo(cap, 0.0);
    path.arcTo(cap, 0.0, -360.0);
    path.closeSubpath();
    return path;
}

QPainterPath leafPath(double scale)
{
    QPainterPath path;
    path.moveTo(leafPoint(scale, 0.0, 0.0));
    path.cubicTo(leafPoint(scale, 0.15, 0.52), leafPoint(scale, 0.72, 0.42),
                 leafPoint(scale, 1.0, 0.02));
    path.cubicTo(leafPoint(scale, 0.78, -0.26), leafPoint(scale, 0.28, -0.30),
                 leafPoint(scale, 0.0, 0.0));
    path.closeSubpath();
    return path;
}

void drawAppIcon(QPainter& painter, double size)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setOpacity(kShadowAlpha);
    painter.drawImage(QRectF(0.0, 0.0, size, size), tileShadow(size));
    painter.setOpacity(1.0);

    flipUpward(painter, size);
    const QPainterPath tile = tileOutline(size);
    painter.fillPath(tile, kPaperBottom);
    const QRectF bounds = tile.boundingRect();
    QLinearGradient paper(bounds.left(), bounds.bottom(), bounds.left(), bounds.top());
    paper.setColorAt(0.0, kPaperTop);
    paper.setColorAt(1.0, kPaperBottom);
    // The gradient fill is bounded by the outline itself, which keeps its edge antialiased
    // where a clip would cut it hard; ink and leaf lie well inside the tile.
    painter.fillPath(tile, paper);

    painter.translate(bounds.left(), bounds.top());
    painter.scale(bounds.width(), bounds.height());
    QColor ink = kInk;
    ink.setAlphaF(static_cast<float>(kInkAlpha));
    painter.fillPath(ensoPath(1.0), ink);
    painter.fillPath(leafPath(1.0), kLeaf);
    painter.restore();
}

QImage menuBarImage(int pixels)
{
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return image;
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    flipUpward(painter, pixels);
    // The motif is drawn 2 % larger than the square and 2 % to the left.
    painter.translate(-0.02 * pixels, 0.0);
    painter.scale(1.02 * pixels, 1.02 * pixels);
    painter.fillPath(ensoPath(1.45), Qt::black);
    painter.fillPath(leafPath(1.3), Qt::black);
    return image;
}

void renderIconset(const QString& folder)
{
    const QString target = QDir::cleanPath(QDir::current().absoluteFilePath(folder));
    if (!QDir().mkpath(target))
        throw WriteError(QStringLiteral("无法创建文件夹 %1").arg(target).toStdString());
    const QDir dir(target);
    for (const IconSize& size : kIconset) {
        const auto png = encodePng(appIcon(size.pixels));
        if (!png) continue;
        writeFile(dir.filePath(QStringLiteral("icon_%1.png").arg(QLatin1String(size.name))), *png);
    }
    const auto preview = encodePng(menuBarPreview());
    if (!preview) return;
    writeFile(
        QDir(QFileInfo(target).absolutePath()).filePath(QStringLiteral("menubar-preview.png")),
        *preview);
}

} // namespace glossivo::IconArt
