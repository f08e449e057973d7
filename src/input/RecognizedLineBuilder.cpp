#include "input/RecognizedLineBuilder.h"

#include <QRegularExpression>
#include <QTextBoundaryFinder>

#include <algorithm>

namespace glossivo::RecognizedLineBuilder {

namespace {

// The text of a line with the pixel box of every UTF-16 unit (null where there is none, as
// between tokens).
struct SpelledLine {
    QString text;
    QList<QRect> boxes;
    QRect box;
};

void appendToken(SpelledLine& line, const Token& token)
{
    if (!line.text.isEmpty()) {
        line.text += QLatin1Char(' ');
        line.boxes.append(QRect());
    }
    QString spelled;
    QList<QRect> boxes;
    for (const Glyph& glyph : token.glyphs) {
        spelled += glyph.text;
        boxes.append(QList<QRect>(glyph.text.size(), glyph.box));
    }
    // Without glyphs that spell the token, every character carries the token's box.
    if (spelled != token.text) boxes = QList<QRect>(token.text.size(), token.box);
    line.text += token.text;
    line.boxes.append(boxes);
    line.box |= token.box;
}

QRectF normalized(const QRect& box, QSize image)
{
    const double w = image.width();
    const double h = image.height();
    return {box.x() / w, 1.0 - (box.y() + box.height()) / h, box.width() / w, box.height() / h};
}

bool isWord(QStringView segment)
{
    return std::any_of(segment.begin(), segment.end(),
                       [](QChar c) { return c.isLetterOrNumber(); });
}

QList<ScreenOCR::Word> words(const QString& text, const QList<QRect>& boxes, QSize image)
{
    QList<ScreenOCR::Word> found;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Word, text);
    qsizetype start = 0;
    for (qsizetype end = finder.toNextBoundary(); end != -1; end = finder.toNextBoundary()) {
        const QStringView segment = QStringView(text).mid(start, end - start);
        QRect box;
        for (qsizetype i = start; i < end; ++i)
            box |= boxes[i];
        if (isWord(segment) && !box.isNull())
            found.append({segment.toString(), normalized(box, image)});
        start = end;
    }
    return found;
}

} // namespace

QString repairBars(const QString& text)
{
    static const QRegularExpression pronoun(
        QStringLiteral("(?<!\\S)\\|(?=\\s+[a-z]{2}|['\u2019][a-z])"));
    static const QRegularExpression bar(QStringLiteral("(?<=[A-Za-z])\\||\\|(?=[a-z])"));
    QString repaired = text;
    repaired.replace(pronoun, QStringLiteral("I"));
    repaired.replace(bar, QStringLiteral("l"));
    return repaired;
}

QList<ScreenOCR::Line> build(const QList<TokenLine>& lines, QSize imageSize, double minConfidence)
{
    QList<ScreenOCR::Line> built;
    for (const TokenLine& tokens : lines) {
        SpelledLine line;
        for (const Token& token : tokens) {
            if (token.confidence >= minConfidence && !token.text.trimmed().isEmpty())
                appendToken(line, token);
        }
        if (line.text.isEmpty()) continue;
        const QString text = repairBars(line.text);
        built.append({text, normalized(line.box, imageSize), words(text, line.boxes, imageSize)});
    }
    return built;
}

} // namespace glossivo::RecognizedLineBuilder
