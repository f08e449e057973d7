#pragma once

#include <QFont>

namespace glossivo::DesignSize {

// The sizes the windows are designed in are device-independent pixels: a "13" font is 13 px,
// which Qt scales on a high-density screen. A point size would be a third larger at 96 dpi and
// crowd every window, so every font the windows set goes through here.

// `base` (the widget's own font, which keeps its family) at `size` pixels and `weight`.
inline QFont font(const QFont& base, qreal size, QFont::Weight weight = QFont::Normal)
{
    QFont f = base;
    f.setPixelSize(qRound(size));
    f.setWeight(weight);
    return f;
}

// A fixed-pitch font of that size, for letters that must line up.
inline QFont monospace(const QFont& base, qreal size, QFont::Weight weight = QFont::Normal)
{
    QFont f = font(base, size, weight);
    f.setFamily(QStringLiteral("monospace"));
    f.setStyleHint(QFont::Monospace);
    return f;
}

} // namespace glossivo::DesignSize
