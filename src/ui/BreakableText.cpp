#include "ui/BreakableText.h"

#include <QTextBoundaryFinder>

namespace glossivo {

namespace {

// "internationalization" and its kind stay whole.
constexpr qsizetype kLongestWord = 24;

} // namespace

QString breakableText(const QString& text)
{
    QString result;
    QTextBoundaryFinder lines(QTextBoundaryFinder::Line, text);
    qsizetype from = 0;
    for (qsizetype to = lines.toNextBoundary(); to > 0; to = lines.toNextBoundary()) {
        const QStringView run = QStringView(text).mid(from, to - from);
        from = to;
        if (run.size() <= kLongestWord) {
            result += run;
            continue;
        }
        QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, run.toString());
        qsizetype start = 0;
        for (qsizetype end = graphemes.toNextBoundary(); end > 0;
             end = graphemes.toNextBoundary()) {
            result += run.mid(start, end - start);
            result += QChar(0x200B);
            start = end;
        }
    }
    return result;
}

QString cappedText(const QString& text, qsizetype limit)
{
    if (text.size() <= limit) return text;
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    graphemes.setPosition(limit);
    // Never through the middle of a character.
    const qsizetype cut = graphemes.isAtBoundary() ? limit : graphemes.toPreviousBoundary();
    return text.left(cut) + QChar(0x2026);
}

} // namespace glossivo
