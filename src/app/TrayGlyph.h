#pragma once

#include <QIcon>
#include <QImage>

namespace glossivo::TrayGlyph {

// The menu-bar glyph for a tray whose panel may be light or dark: the black glyph inside a
// thin light halo, so it stands out on either.
QImage image(int pixels);
// The glyph at the sizes panels ask for.
QIcon icon();

} // namespace glossivo::TrayGlyph
