#include "model/Highlight.h"

#include "model/Blanks.h"
#include "model/Graphemes.h"

#include <QSet>

#include <algorithm>

namespace glossivo::Highlight {

namespace {

QList<Range> merged(QList<Range> found)
{
    std::sort(found.begin(), found.end(),
              [](const Range& a, const Range& b) { return a.start < b.start; });
    QList<Range> result;
    for (const Range& range : found) {
        if (!result.isEmpty() && range.start <= result.last().end)
            result.last().end = std::max(result.last().end, range.end);
        else
            result.append(range);
    }
    return result;
}

} // namespace

QList<Range> ranges(const QString& text, const QStringList& terms)
{
    QSet<QString> distinct;
    for (const QString& term : terms)
        distinct.insert(Blanks::trimmed(term));
    QList<Range> found;
    for (const QString& term : distinct) {
        if (Graphemes::split(term).size() < 2) continue;
        qsizetype from = 0;
        while (from < text.size()) {
            const qsizetype at = text.indexOf(term, from, Qt::CaseInsensitive);
            if (at < 0) break;
            found.append({at, at + term.size()});
            from = at + term.size();
        }
    }
    return merged(found);
}

} // namespace glossivo::Highlight
