#include "app/TrayGlyph.h"

#include "app/IconArt.h"

#include <QPainter>

#include <cmath>

namespace glossivo::TrayGlyph {

namespace {

const QColor kHalo(255, 255, 255, 235);
const QColor kInk(24, 24, 24);

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
    const QImage glyph = IconArt::menuBarImage(inner);
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
