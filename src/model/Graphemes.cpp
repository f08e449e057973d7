#include "model/Graphemes.h"

#include <QtGlobal>

#include <unicode/ubrk.h>
#include <unicode/utypes.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>

namespace glossivo::Graphemes {

namespace {

struct CloseBreakIterator {
    void operator()(UBreakIterator* iterator) const { ubrk_close(iterator); }
};
using BreakIteratorPointer = std::unique_ptr<UBreakIterator, CloseBreakIterator>;

void requireSuccess(UErrorCode status, const char* what)
{
    if (U_FAILURE(status)) qFatal("ICU could not %s: %s", what, u_errorName(status));
}

// Opening an iterator loads and builds ICU's rules, which costs far more than most texts it is
// asked about, so each thread keeps one.
struct ThreadIterator {
    BreakIteratorPointer iterator;
    bool lent = false;
};

thread_local ThreadIterator t_characters;

// ICU's character break iterator over a text, reading the text where it lies. Setting the text
// is constant time (ICU only wraps the pointer); ICU then reads only around the positions asked
// about. A use while the thread's iterator is lent (one nested inside another) gets a copy of
// its own.
class CharacterBreaks {
public:
    explicit CharacterBreaks(QStringView text)
        // ICU counts in 32-bit offsets; the rest of a text longer than they reach (over two
        // thousand million UTF-16 units) counts as one character.
        : m_length(int32_t(std::min<qsizetype>(text.size(), std::numeric_limits<int32_t>::max())))
    {
        UErrorCode status = U_ZERO_ERROR;
        if (!t_characters.iterator) {
            t_characters.iterator.reset(ubrk_open(UBRK_CHARACTER, "", nullptr, 0, &status));
            requireSuccess(status, "open its character break iterator");
        }
        if (t_characters.lent) {
            m_copy.reset(ubrk_clone(t_characters.iterator.get(), &status));
            requireSuccess(status, "copy its character break iterator");
            m_iterator = m_copy.get();
        } else {
            t_characters.lent = true;
            m_iterator = t_characters.iterator.get();
        }
        ubrk_setText(m_iterator, text.utf16(), m_length, &status);
        requireSuccess(status, "read a text");
    }

    ~CharacterBreaks()
    {
        if (!m_copy) t_characters.lent = false;
    }

    CharacterBreaks(const CharacterBreaks&) = delete;
    CharacterBreaks& operator=(const CharacterBreaks&) = delete;

    // The UTF-16 units that ICU reads.
    qsizetype length() const { return m_length; }

    // The boundary after the last one found (the text's start at first); -1 past the end.
    qsizetype next() { return ubrk_next(m_iterator); }

    qsizetype following(qsizetype position)
    {
        return ubrk_following(m_iterator, int32_t(position));
    }

    qsizetype previous() { return ubrk_previous(m_iterator); }

private:
    int32_t m_length;
    UBreakIterator* m_iterator = nullptr;
    BreakIteratorPointer m_copy;
};

} // namespace

QStringList split(const QString& text)
{
    QStringList characters;
    CharacterBreaks breaks(text);
    qsizetype start = 0;
    for (qsizetype end; (end = breaks.next()) != UBRK_DONE; start = end)
        characters.append(text.mid(start, end - start));
    if (start < text.size()) characters.append(text.mid(start));
    return characters;
}

qsizetype prefixEnd(QStringView text, qsizetype count)
{
    if (count < 0) return text.size();
    CharacterBreaks breaks(text);
    qsizetype end = 0;
    for (; count > 0; --count) {
        end = breaks.next();
        if (end == UBRK_DONE) return text.size();
    }
    return end;
}

qsizetype boundaryAtOrBefore(QStringView text, qsizetype position)
{
    if (position <= 0) return 0;
    if (position >= text.size()) return text.size();
    CharacterBreaks breaks(text);
    if (position >= breaks.length()) return breaks.length();
    // Not ICU's preceding(): it moves a position inside a surrogate pair to the pair's start
    // first and so passes over a boundary there. The boundary before the first one after the
    // position is the one wanted.
    breaks.following(position);
    return breaks.previous();
}

} // namespace glossivo::Graphemes
