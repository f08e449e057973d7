#include "model/Graphemes.h"

#include <QTextBoundaryFinder>

namespace glossivo::Graphemes {

namespace {

constexpr char32_t kZeroWidthNonJoiner = 0x200C;
constexpr char32_t kZeroWidthJoiner = 0x200D;

// A stretch of the text at least this long that ends between two code points. A boundary
// before the stretch's end is one of the whole text, since it depends only on what comes before
// it and on the code point right after it; a stretch that ended inside a surrogate pair would
// show that code point as a lone half, after which every position is a boundary.
qsizetype stretchEnd(QStringView text, qsizetype length)
{
    if (length >= text.size()) return text.size();
    if (length > 0 && text[length - 1].isHighSurrogate() && text[length].isLowSurrogate()) ++length;
    return length;
}

char32_t codePointAt(QStringView text, qsizetype at)
{
    if (text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate())
        return QChar::surrogateToUcs4(text[at], text[at + 1]);
    return text[at].unicode();
}

// The code point that ends at the position; start is moved to where it begins.
char32_t codePointBefore(QStringView text, qsizetype& start)
{
    --start;
    if (start > 0 && text[start].isLowSurrogate() && text[start - 1].isHighSurrogate()) {
        --start;
        return QChar::surrogateToUcs4(text[start], text[start + 1]);
    }
    return text[start].unicode();
}

bool isModifierOrTag(char32_t c)
{
    return (c >= 0x1F3FB && c <= 0x1F3FF) || (c >= 0xE0020 && c <= 0xE007F);
}

// What a character can never begin with: combining marks, variation selectors, skin tones and
// the tags of a region's flag.
bool isExtend(char32_t c)
{
    const auto category = QChar::category(c);
    return category == QChar::Mark_NonSpacing || category == QChar::Mark_Enclosing ||
           c == kZeroWidthNonJoiner || isModifierOrTag(c);
}

// Spacing vowel signs. Unicode lets a character begin with a few of Myanmar's, Tai Tham's and
// Ahom's, so those scripts' signs are left to the finder.
bool isSpacingMark(char32_t c)
{
    if (QChar::category(c) != QChar::Mark_SpacingCombining) return false;
    const auto script = QChar::script(c);
    return script != QChar::Script_Myanmar && script != QChar::Script_TaiTham &&
           script != QChar::Script_Ahom;
}

// Controls end a character, marks or not after them. Unassigned code points count as controls,
// which leaves them to the finder.
bool isControl(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Other_Control:
    case QChar::Other_NotAssigned:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    case QChar::Other_Format:
        return c != kZeroWidthNonJoiner && c != kZeroWidthJoiner && !isModifierOrTag(c);
    default:
        return false;
    }
}

bool isRegionalIndicator(char32_t c)
{
    return c >= 0x1F1E6 && c <= 0x1F1FF;
}

// Whether the finder takes the code point for an emoji that a joiner binds to the next one, asked
// of it, a joiner and itself alone: emoji belong to no script, so no script's own rules reach
// the three.
bool isPictograph(char32_t c)
{
    if (QChar::script(c) != QChar::Script_Common || isExtend(c)) return false;
    const QString one = QString::fromUcs4(&c, 1);
    QTextBoundaryFinder three(QTextBoundaryFinder::Grapheme, one + QChar(kZeroWidthJoiner) + one);
    three.setPosition(one.size() + 1);
    return !three.isAtBoundary();
}

// Whether the joiner that starts at the position binds the emoji before it (past its marks) to
// next.
bool joinsPictographs(QStringView text, qsizetype joiner, char32_t next)
{
    qsizetype start = joiner;
    char32_t base;
    do {
        if (start == 0) return false;
        base = codePointBefore(text, start);
    } while (isExtend(base));
    return isPictograph(base) && isPictograph(next);
}

// Whether the regional indicator that ends at the position pairs with the one after it into a
// flag. They pair from the start of their run, but from its second when an emoji stands right
// before it, as Qt 6.4 counts them where no script's own rules reach: a count must not change
// with a script further on in the text. from is a boundary at or before the position.
bool pairsRegionalIndicators(QStringView text, qsizetype from, qsizetype indicatorEnd)
{
    qsizetype start = indicatorEnd;
    codePointBefore(text, start);
    qsizetype indicators = 1;
    while (start > 0) {
        qsizetype before = start;
        const char32_t c = codePointBefore(text, before);
        if (!isRegionalIndicator(c)) {
            if (isPictograph(c)) --indicators;
            break;
        }
        if (start == from) break; // a boundary between two: pairs start afresh there
        ++indicators;
        start = before;
    }
    return indicators % 2 == 1;
}

// Whether the position lies inside a character by rules that hold in every script. Qt 6.4's
// finder breaks them once a script it segments by rules of its own (Devanagari and the other
// Indic scripts, Sinhala, Thai, Tibetan, Myanmar, Khmer) shares a run with characters of no
// script, such as spaces and emoji: it then has a boundary after every UTF-16 unit of those,
// inside surrogate pairs, skin tones and joined emoji too. from is a boundary at or before the
// position, where flags start pairing their regional indicators afresh.
bool inside(QStringView text, qsizetype from, qsizetype at)
{
    if (at <= 0 || at >= text.size()) return false;
    if (text[at - 1] == u'\r' && text[at] == u'\n') return true;
    if (text[at - 1].isHighSurrogate() && text[at].isLowSurrogate()) return true;
    qsizetype start = at;
    const char32_t previous = codePointBefore(text, start);
    const char32_t next = codePointAt(text, at);
    if (isExtend(next) || next == kZeroWidthJoiner || isSpacingMark(next))
        return !isControl(previous);
    if (previous == kZeroWidthJoiner) return joinsPictographs(text, start, next);
    return isRegionalIndicator(previous) && isRegionalIndicator(next) &&
           pairsRegionalIndicators(text, from, at);
}

// The finder's next boundary that is one, from being the last.
qsizetype nextBoundary(QTextBoundaryFinder& finder, QStringView text, qsizetype from)
{
    qsizetype next = finder.toNextBoundary();
    while (next != -1 && inside(text, from, next))
        next = finder.toNextBoundary();
    return next;
}

} // namespace

QStringList split(const QString& text)
{
    QStringList characters;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    for (qsizetype start = 0, end; (end = nextBoundary(finder, text, start)) != -1; start = end)
        characters.append(text.mid(start, end - start));
    return characters;
}

qsizetype prefixEnd(QStringView text, qsizetype count)
{
    if (count < 0 || text.isEmpty()) return text.size();
    for (qsizetype stretch = 2 * count + 16;; stretch *= 2) {
        const qsizetype length = stretchEnd(text, stretch);
        const bool whole = length == text.size();
        QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, text.data(), length);
        qsizetype found = 0;
        qsizetype end = 0;
        while (found < count) {
            const qsizetype next = nextBoundary(characters, text, end);
            // The stretch's own end is a boundary only where the text ends.
            if (next == -1 || (next == length && !whole)) break;
            end = next;
            ++found;
        }
        if (found == count) return end;
        if (whole) return text.size();
    }
}

qsizetype boundaryAtOrBefore(QStringView text, qsizetype position)
{
    if (position <= 0) return 0;
    if (position >= text.size()) return text.size();
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, text.data(),
                                   stretchEnd(text, position + 1));
    characters.setPosition(position);
    qsizetype at = characters.isAtBoundary() ? position : characters.toPreviousBoundary();
    while (inside(text, 0, at))
        at = characters.toPreviousBoundary();
    return at;
}

} // namespace glossivo::Graphemes
