#include "coach/CoachExcerpt.h"

#include <QTextBoundaryFinder>

namespace glossivo {

namespace {

constexpr qsizetype kBreakReach = CoachExcerpt::kShownCharacters / 10;

// Where the shown part ends: after the last paragraph break, else line break, near the limit.
qsizetype cutAt(const QString& text)
{
    const qsizetype limit = CoachExcerpt::kShownCharacters;
    const QStringView head = QStringView(text).left(limit);
    for (const QStringView mark : {QStringView(u"\n\n"), QStringView(u"\n")}) {
        const qsizetype at = head.lastIndexOf(mark);
        if (at >= limit - kBreakReach) return at + mark.size();
    }
    // The character after the limit decides whether the limit is a boundary; nothing beyond it
    // needs to be read.
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, text.constData(), limit + 1);
    characters.setPosition(limit);
    return characters.isAtBoundary() ? limit : characters.toPreviousBoundary();
}

} // namespace

CoachExcerpt CoachExcerpt::of(const QString& text)
{
    if (text.size() <= kShownCharacters) return {text, false};
    return {text.left(cutAt(text)) + QChar(0x2026), true};
}

} // namespace glossivo
