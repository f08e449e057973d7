#pragma once

#include "input/ScreenOCR.h"

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

namespace glossivo {

// Turns what a recogniser read (lines of tokens with character boxes in image pixels, y down)
// into ScreenOCR lines: unsure tokens dropped, vertical bars that stand for an l repaired, the
// text split into words by the Unicode word rules, and every box normalized.
namespace RecognizedLineBuilder {

struct Glyph {
    QString text; // one recognised character, possibly several UTF-16 units
    QRect box;
};

struct Token {
    QString text;
    double confidence = 0; // 0 to 100
    QRect box;
    QList<Glyph> glyphs; // when they spell `text`, words inside the token get their own boxes
};

using TokenLine = QList<Token>;

// Tokens below this confidence are noise rather than text. Measured on text drawn in three
// families at 11 to 22 pixels, dark on light and light on dark, and on strips whose edges cut
// through lines: correctly read words scored 39 to 97 (below 50 only at 11 pixels), the
// remains of cut lines 0 to 51, most of them under 40.
constexpr double kMinConfidence = 40;

// "he||o" reads "hello": a bar after a letter, or before a lower-case letter, is an l; a bar
// standing alone before a word of small letters or an apostrophe is the pronoun ("| was",
// "|'m"). The text keeps its length.
QString repairBars(const QString& text);

QList<ScreenOCR::Line> build(const QList<TokenLine>& lines, QSize imageSize,
                             double minConfidence = kMinConfidence);

} // namespace RecognizedLineBuilder
} // namespace glossivo
