#include "app/TrayGlyph.h"

#include "app/IconArt.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace glossivo::TrayGlyph {

namespace {

const QColor kHalo(255, 255, 255, 235);
const QColor kInk(24, 24, 24);
// At this size and below, the brush circle's open end reads as the head of a "refresh" arrow:
// the glyph is then a solid disc with the leaf standing out in it.
constexpr int kSmallest = 24;

QImage disc(int pixels)
{
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawEllipse(QRectF(0, 0, pixels, pixels));
    return image;
}

// The leaf upright in the middle of a square of `side` pixels at `origin`.
void drawLeaf(QPainter& painter, QPointF origin, int side)
{
    const QPainterPath leaf = IconArt::leafPath(1.0);
    const QRectF box = leaf.boundingRect();
    const double scale = 0.66 * side / std::max(box.width(), box.height());
    QTransform place;
    place.translate(origin.x() + side / 2.0, origin.y() + side / 2.0);
    // The drawings have y upward.
    place.scale(scale, -scale);
    place.translate(-box.center().x(), -box.center().y());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(place.map(leaf), kHalo);
}

QImage tinted(const QImage& mask, const QColor& color)
{
    QImage image = mask;
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(image.rect(), color);
    return image;
}

} // namespace

QImage image(int pixels)
{
    // The glyph is drawn a little smaller than the square, so the halo fits inside it.
    const double radius = std::max(1.0, pixels / 18.0);
    const int inner = pixels - 2 * static_cast<int>(std::ceil(radius));
    const bool small = pixels <= kSmallest;
    const QImage glyph = small ? disc(inner) : IconArt::menuBarImage(inner);
    const QImage halo = tinted(glyph, kHalo);
    const QImage ink = tinted(glyph, kInk);
    QImage result(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::transparent);
    QPainter painter(&result);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QPointF origin((pixels - inner) / 2.0, (pixels - inner) / 2.0);
    for (int step = 0; step < 12; ++step) {
        const double angle = step * M_PI / 6.0;
        painter.drawImage(origin + QPointF(radius * std::cos(angle), radius * std::sin(angle)),
                          halo);
    }
    painter.drawImage(origin, ink);
    if (small) drawLeaf(painter, origin, inner);
    return result;
}

QIcon icon()
{
    QIcon made;
    for (int pixels : {16, 22, 24, 32, 48, 64})
        made.addPixmap(QPixmap::fromImage(image(pixels)));
    return made;
}

} // namespace glossivo::TrayGlyph
