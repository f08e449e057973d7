#pragma once

#include <QColor>
#include <QPalette>

namespace glossivo::testing {

// A dark desktop theme for the widget pictures, so every view is also seen as a user with a
// dark theme sees it.
inline QPalette darkPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2d));
    palette.setColor(QPalette::WindowText, QColor(0xe8, 0xe8, 0xea));
    palette.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x20));
    palette.setColor(QPalette::AlternateBase, QColor(0x33, 0x33, 0x36));
    palette.setColor(QPalette::Text, QColor(0xe8, 0xe8, 0xea));
    palette.setColor(QPalette::PlaceholderText, QColor(0x9a, 0x9a, 0xa0));
    palette.setColor(QPalette::Button, QColor(0x3a, 0x3a, 0x3d));
    palette.setColor(QPalette::ButtonText, QColor(0xe8, 0xe8, 0xea));
    palette.setColor(QPalette::Highlight, QColor(0x2f, 0x6f, 0xd6));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, QColor(0x0a, 0x84, 0xff));
    palette.setColor(QPalette::Light, QColor(0x4a, 0x4a, 0x4e));
    palette.setColor(QPalette::Mid, QColor(0x24, 0x24, 0x26));
    palette.setColor(QPalette::Dark, QColor(0x18, 0x18, 0x1a));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x70, 0x70, 0x74));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x70, 0x70, 0x74));
    return palette;
}

} // namespace glossivo::testing
