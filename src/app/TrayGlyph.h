#pragma once

#include <QIcon>
#include <QImage>

namespace glossivo::TrayGlyph {

// The tray glyph for a panel that may be light or dark: the black glyph inside a thin light
// halo, so it stands out on either. Small sizes show the leaf in a solid disc.
QImage image(int pixels);
// The glyph at the sizes panels ask for.
QIcon icon();

} // namespace glossivo::TrayGlyph
