#pragma once

#include <QImage>
#include <QPainterPath>

#include <stdexcept>

class QPainter;

namespace glossivo {

// The program's pictures, drawn in code: a brush-stroke circle open at the upper right (the
// enso) with a small leaf sprouting from the opening. The paths live in a unit square with its
// origin at the lower left and y growing upward.
namespace IconArt {

// A file of the icon set could not be written; the text names the file and the reason.
class WriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Stroke weight 1.0 for the application icon, 1.45 for the menu bar.
QPainterPath ensoPath(double weight);
// Size factor 1.0 for the application icon, 1.3 for the menu bar.
QPainterPath leafPath(double scale);

// The application icon, filling the square (0, 0, size, size) of the painter's coordinates:
// ink and leaf on a rounded, shadowed paper tile. The painter is left as it was found.
void drawAppIcon(QPainter& painter, double size);

// The menu-bar glyph, black on transparent, `pixels` square; the tray tints it as it needs.
QImage menuBarImage(int pixels);

// Writes "icon_<name>.png" in ten sizes into the folder (created with its parents) and
// "menubar-preview.png" beside it. Throws WriteError at the first folder or file that cannot be
// written; what was written before stays.
void renderIconset(const QString& folder);

} // namespace IconArt
} // namespace glossivo
