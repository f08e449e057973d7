#include "coach/CoachExcerpt.h"

#include "model/Graphemes.h"

namespace glossivo {

namespace {

constexpr qsizetype kParagraphReach = CoachExcerpt::kShownCharacters / 2;
constexpr qsizetype kLineReach = CoachExcerpt::kShownCharacters / 10;

// Where the shown part ends: after the last paragraph break near the limit, else after the last
// line break nearer to it, else between two characters.
qsizetype cutAt(const QString& text)
{
    const qsizetype limit = CoachExcerpt::kShownCharacters;
    const QStringView head = QStringView(text).left(limit);
    const qsizetype paragraph = head.lastIndexOf(u"\n\n");
    if (paragraph >= 0 && paragraph >= limit - kParagraphReach) return paragraph + 2;
    const qsizetype line = head.lastIndexOf(u'\n');
    if (line >= 0 && line >= limit - kLineReach) return line + 1;
    return Graphemes::boundaryAtOrBefore(text, limit);
}

} // namespace

CoachExcerpt CoachExcerpt::of(const QString& text)
{
    if (text.size() <= kShownCharacters) return {text.size(), false};
    return {cutAt(text), true};
}

} // namespace glossivo
