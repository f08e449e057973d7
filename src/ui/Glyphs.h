#pragma once

#include <QColor>
#include <QIcon>

namespace glossivo {

// Small symbols drawn in code, so that they look the same under every icon theme and on the
// offscreen platform.
enum class Glyph {
    checkmarkCircle,
    checkmarkCircleFilled,
    star,
    starFilled,
    arrowClockwise,
    sparkles,
    link,
    speaker,
    stack,
    book,
    puzzle,
    wave,
    people,
    arrowUpCircleFilled,
    stopCircleFilled,
    checkmark,
    pencil,
    textCursor,
    flameFilled,
    eye,
    moonZzz,
    graduationCapFilled,
    powerSleep,
    lockFilled,
    checkmarkSealFilled,
    trash,
    plus
};

QIcon glyphIcon(Glyph glyph, const QColor& colour, int size);

} // namespace glossivo
