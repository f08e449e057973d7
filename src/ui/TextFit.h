#pragma once

#include <QFontMetrics>
#include <QSize>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <cmath>

namespace glossivo::TextFit {

// The sizes of a text view that shows all of its document and never scrolls.

// The document's height laid out at that width, put back afterwards: the view lays the
// document out at its own width.
inline int heightForWidth(QTextDocument& text, int width)
{
    const qreal before = text.textWidth();
    text.setTextWidth(width);
    const int height = static_cast<int>(std::ceil(text.size().height()));
    text.setTextWidth(before);
    return height;
}

// The whole text on as few lines as it has.
inline QSize idealSize(QTextDocument& text)
{
    const int width = static_cast<int>(std::ceil(text.idealWidth()));
    return {width, heightForWidth(text, width)};
}

// Every line of the document the given distance apart.
inline void spaceLines(QTextDocument& text, int lineSpacing)
{
    QTextBlockFormat spaced;
    spaced.setLineHeight(lineSpacing, QTextBlockFormat::LineDistanceHeight);
    QTextCursor all(&text);
    all.select(QTextCursor::Document);
    all.mergeBlockFormat(spaced);
}

// A few characters of one line.
inline QSize smallestSize(const QFontMetrics& metrics)
{
    return {metrics.averageCharWidth() * 4, metrics.height()};
}

} // namespace glossivo::TextFit
