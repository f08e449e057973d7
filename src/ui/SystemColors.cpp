#include "ui/SystemColors.h"

namespace glossivo {

bool isDark(const QPalette& palette)
{
    return palette.color(QPalette::Window).lightness() < 128;
}

QColor systemColor(SystemColor color, const QPalette& palette)
{
    const bool dark = isDark(palette);
    switch (color) {
    case SystemColor::blue:
        return dark ? QColor(0x0a, 0x84, 0xff) : QColor(0x00, 0x7a, 0xff);
    case SystemColor::green:
        return dark ? QColor(0x30, 0xd1, 0x58) : QColor(0x28, 0xa7, 0x45);
    case SystemColor::orange:
        return dark ? QColor(0xff, 0x9f, 0x0a) : QColor(0xe0, 0x82, 0x00);
    case SystemColor::purple:
        return dark ? QColor(0xbf, 0x5a, 0xf2) : QColor(0xaf, 0x52, 0xde);
    case SystemColor::teal:
        return dark ? QColor(0x40, 0xc8, 0xe0) : QColor(0x1f, 0x9c, 0xb3);
    case SystemColor::indigo:
        return dark ? QColor(0x5e, 0x5c, 0xe6) : QColor(0x58, 0x56, 0xd6);
    case SystemColor::yellow:
        return dark ? QColor(0xff, 0xd6, 0x0a) : QColor(0xd4, 0xa0, 0x00);
    case SystemColor::red:
        return dark ? QColor(0xff, 0x45, 0x3a) : QColor(0xff, 0x3b, 0x30);
    }
    return palette.color(QPalette::WindowText);
}

} // namespace glossivo
