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
    qsizetype runStart = 0;
    const auto flush = [&](qsizetype end) {
        const QString run = text.mid(runStart, end - runStart);
        if (run.size() <= kLongestWord) {
            result += run;
            return;
        }
        result.reserve(result.size() + run.size() * 2);
        QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, run);
        qsizetype from = 0;
        for (qsizetype at = graphemes.toNextBoundary(); at > 0; at = graphemes.toNextBoundary()) {
            result += QStringView(run).mid(from, at - from);
            result += QChar(0x200B);
            from = at;
        }
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!text.at(i).isSpace()) continue;
        flush(i);
        result += text.at(i);
        runStart = i + 1;
    }
    flush(text.size());
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
