#include "model/MarkdownCut.h"

#include "model/BidiControls.h"
#include "model/HtmlEntities.h"
#include "model/MarkdownCharacters.h"

#include <algorithm>

namespace glossivo {

namespace {

// How far past the cut a paragraph is read. The read ends before a space where one is in reach,
// so that a marker at its edge reads as in the whole.
constexpr qsizetype kCutReach = 20000;

qsizetype readEnd(const QString& text, qsizetype end)
{
    const qsizetype far = end + kCutReach;
    if (far >= text.size()) return text.size();
    for (qsizetype at = far; at > end; --at)
        if (MarkdownCharacters::isWhitespace(text.at(at).unicode())) return at;
    return far;
}

} // namespace

qsizetype MarkdownCut::end(const QString& text, qsizetype end)
{
    end = std::clamp<qsizetype>(end, 0, text.size());
    if (end > 0 && end < text.size() && text.at(end).isLowSurrogate()) --end;
    return end;
}

MarkdownCut::Reading MarkdownCut::reading(const QString& text, qsizetype end)
{
    // Bidirectional controls are left out of what is read, so the cut moves back by those before
    // it.
    const qsizetype stop = end - std::count_if(text.cbegin(), text.cbegin() + end, [](QChar c) {
                               return BidiControls::isControl(c.unicode());
                           });
    return {BidiControls::removed(text.left(readEnd(text, end))), stop};
}

qsizetype MarkdownCut::keptOfText(QStringView stretch, qsizetype from) const
{
    const qsizetype at = before(from);
    for (qsizetype k = 0; k < at; ++k) {
        qsizetype length = 1;
        if (stretch[k] == u'\\' && k + 1 < stretch.size() &&
            MarkdownCharacters::isAsciiPunctuation(stretch[k + 1].unicode()))
            length = 2;
        else if (stretch[k] == u'&')
            length = std::max<qsizetype>(1, HtmlEntities::referenceAt(stretch.mid(k)).length);
        if (k + length > at) return k;
        k += length - 1;
    }
    return at;
}

qsizetype MarkdownCut::keptOfCode(qsizetype from) const
{
    return before(from);
}

qsizetype MarkdownCut::before(qsizetype from) const
{
    return std::max<qsizetype>(m_stop - from, 0);
}

void MarkdownCut::close(QString& html) const
{
    for (qsizetype k = m_closers.size(); k-- > 0;)
        html += m_closers.at(k);
}

} // namespace glossivo
