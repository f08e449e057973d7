#include "model/MarkdownCut.h"

#include "model/Graphemes.h"
#include "model/MarkdownCharacters.h"

#include <QHash>
#include <QList>

#include <algorithm>
#include <array>
#include <tuple>

namespace glossivo {

using MarkdownCharacters::isAsciiPunctuation;
using MarkdownCharacters::isPunctuation;
using MarkdownCharacters::isWhitespace;

namespace {

// A reading of one paragraph's inline Markdown that keeps where its spans open and close: the
// same pieces as the renderer finds (backslash escapes, code spans, delimiter runs, brackets and
// inline links) and the same pairing of emphasis, without the output.
class Reading {
public:
    explicit Reading(QStringView text) : s(text) { read(); }

    // A run of "*", "_" or "~~" that can open or close emphasis.
    struct Run {
        qsizetype at = 0;
        QChar marker;
        int length = 0; // as written
        int count = 0;  // left unpaired
        bool canOpen = false;
        bool canClose = false;
        qsizetype prev = -1;
        qsizetype next = -1;
    };
    // Emphasis from one run to a later one, of this many markers, in the order found.
    struct Pair {
        qsizetype opener = 0;
        qsizetype closer = 0;
        int use = 0;
    };
    // A code span: its opening run, that run's length and the closing run.
    struct Code {
        qsizetype at = 0;
        qsizetype length = 0;
        qsizetype close = 0;
    };
    // A link from its "[" to past its ")".
    struct Link {
        qsizetype at = 0;
        qsizetype end = 0;
    };

    QList<Run> runs;
    QList<Pair> pairs;
    QList<Code> codes;
    QList<Link> links;

private:
    void read();
    qsizetype delimiterRun(qsizetype at);
    qsizetype closeBracket(qsizetype at);
    qsizetype codeSpan(qsizetype at);
    // Past the inline link's "(address "title")" at `at`; -1 when there is none.
    qsizetype linkTail(qsizetype at) const;
    bool isFence(qsizetype at, qsizetype length) const;
    void pair(qsizetype bottom);
    void unlink(qsizetype index);
    char32_t codePointBefore(qsizetype at) const;
    char32_t codePointAt(qsizetype at) const;

    struct Bracket {
        qsizetype at = 0;
        qsizetype bottom = -1;
    };

    QStringView s;
    qsizetype last = -1;
    QList<Bracket> brackets;
    // Brackets below this index are inside a link's text and can no longer start a link.
    qsizetype activeBrackets = 0;
    // The backtick runs of each length, in text order, and how far each list has been passed.
    QList<QList<qsizetype>> backticks;
    QList<qsizetype> backtickCursor;
};

char32_t Reading::codePointBefore(qsizetype at) const
{
    if (at <= 0) return '\n';
    const QChar c = s.at(at - 1);
    if (c.isLowSurrogate() && at >= 2) return QChar::surrogateToUcs4(s.at(at - 2), c);
    return c.unicode();
}

char32_t Reading::codePointAt(qsizetype at) const
{
    if (at >= s.size()) return '\n';
    const QChar c = s.at(at);
    if (c.isHighSurrogate() && at + 1 < s.size()) return QChar::surrogateToUcs4(c, s.at(at + 1));
    return c.unicode();
}

void Reading::read()
{
    for (qsizetype i = 0; i < s.size();) {
        if (s.at(i) != u'`') {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < s.size() && s.at(end) == u'`')
            ++end;
        if (!isFence(i, end - i)) {
            backticks.resize(std::max(backticks.size(), end - i + 1));
            backticks[end - i].append(i);
        }
        i = end;
    }
    backtickCursor.fill(0, backticks.size());

    for (qsizetype i = 0; i < s.size();) {
        const QChar c = s.at(i);
        if (c == u'\\' && i + 1 < s.size() && isAsciiPunctuation(s.at(i + 1).unicode())) {
            i += 2;
        } else if (c == u'`') {
            i = codeSpan(i);
        } else if (c == u'*' || c == u'_' || c == u'~') {
            i = delimiterRun(i);
        } else if (c == u'[') {
            brackets.append({i, last});
            ++i;
        } else if (c == u']') {
            i = closeBracket(i);
        } else {
            ++i;
        }
    }
    pair(-1);
}

bool Reading::isFence(qsizetype at, qsizetype length) const
{
    if (length < 3) return false;
    qsizetype start = at;
    while (start > 0 && at - start <= 3 && s.at(start - 1) == u' ')
        --start;
    return at - start <= 3 && (start == 0 || s.at(start - 1) == u'\n');
}

qsizetype Reading::codeSpan(qsizetype at)
{
    qsizetype end = at;
    while (end < s.size() && s.at(end) == u'`')
        ++end;
    const qsizetype length = end - at;
    if (isFence(at, length)) return end;
    const QList<qsizetype>& same = backticks.at(length);
    qsizetype& cursor = backtickCursor[length];
    while (cursor < same.size() && same.at(cursor) < end)
        ++cursor;
    if (cursor == same.size()) return end;
    codes.append({at, length, same.at(cursor)});
    return same.at(cursor) + length;
}

qsizetype Reading::delimiterRun(qsizetype at)
{
    const QChar marker = s.at(at);
    qsizetype end = at;
    while (end < s.size() && s.at(end) == marker)
        ++end;
    const int length = int(end - at);
    if (marker == u'~' && length != 2) return end;
    const char32_t before = codePointBefore(at);
    const char32_t after = codePointAt(end);
    const bool left = !isWhitespace(after) &&
                      (!isPunctuation(after) || isWhitespace(before) || isPunctuation(before));
    const bool right = !isWhitespace(before) &&
                       (!isPunctuation(before) || isWhitespace(after) || isPunctuation(after));
    Run run{at, marker, length, length, left, right, last, -1};
    if (marker == u'_') {
        run.canOpen = left && (!right || isPunctuation(before));
        run.canClose = right && (!left || isPunctuation(after));
    }
    if (!run.canOpen && !run.canClose) return end;
    runs.append(run);
    if (last >= 0) runs[last].next = runs.size() - 1;
    last = runs.size() - 1;
    return end;
}

qsizetype Reading::closeBracket(qsizetype at)
{
    if (brackets.isEmpty()) return at + 1;
    const Bracket opener = brackets.takeLast();
    const bool active = brackets.size() >= activeBrackets;
    activeBrackets = std::min(activeBrackets, brackets.size());
    const qsizetype tail = active ? linkTail(at + 1) : -1;
    if (tail < 0) return at + 1;
    // Emphasis inside the link's text pairs there and nowhere else.
    pair(opener.bottom);
    if (opener.bottom >= 0) runs[opener.bottom].next = -1;
    last = opener.bottom;
    links.append({opener.at, tail});
    activeBrackets = brackets.size();
    return tail;
}

qsizetype Reading::linkTail(qsizetype at) const
{
    // Without the renderer's tables, a tail is looked for no further than an address is ever
    // long, so that brackets over a long stretch cost a bounded time each.
    const qsizetype n = std::min(s.size(), at + 2048);
    const auto skipSpace = [&](qsizetype i) {
        while (i < n && isWhitespace(s.at(i).unicode()))
            ++i;
        return i;
    };
    const auto escaped = [&](qsizetype i) {
        return s.at(i) == u'\\' && i + 1 < n && isAsciiPunctuation(s.at(i + 1).unicode());
    };
    if (at >= n || s.at(at) != u'(') return -1;
    qsizetype i = skipSpace(at + 1);
    if (i < n && s.at(i) == u'<') {
        for (++i; i < n && s.at(i) != u'<' && s.at(i) != u'>' && s.at(i) != u'\n';)
            i += escaped(i) ? 2 : 1;
        if (i >= n || s.at(i) != u'>') return -1;
        ++i;
    } else {
        for (int depth = 0; i < n; i += escaped(i) ? 2 : 1) {
            const QChar c = s.at(i);
            if (isWhitespace(c.unicode()) || c.category() == QChar::Other_Control) break;
            if (c == u'(') ++depth;
            if (c == u')' && depth-- == 0) break;
        }
    }
    qsizetype next = skipSpace(i);
    if (next < n && next > i && (s.at(next) == u'"' || s.at(next) == u'\'')) {
        const QChar quote = s.at(next);
        for (++next; next < n && s.at(next) != quote;)
            next += escaped(next) ? 2 : 1;
        next = skipSpace(next + 1);
    }
    return next < n && s.at(next) == u')' ? next + 1 : -1;
}

void Reading::unlink(qsizetype index)
{
    const Run& run = runs.at(index);
    if (run.prev >= 0) runs[run.prev].next = run.next;
    if (run.next >= 0)
        runs[run.next].prev = run.prev;
    else
        last = run.prev;
}

// The CommonMark pairing of the runs above the bottom, as the renderer does it.
void Reading::pair(qsizetype bottom)
{
    std::array<qsizetype, 3 * 2 * 3> openersBottom;
    openersBottom.fill(bottom);
    const auto kindOf = [](const Run& closer) {
        const int marker = closer.marker == u'*' ? 0 : closer.marker == u'_' ? 1 : 2;
        return (marker * 2 + (closer.canOpen ? 1 : 0)) * 3 + closer.length % 3;
    };
    qsizetype current = bottom >= 0 ? runs.at(bottom).next : last;
    if (bottom < 0)
        while (current >= 0 && runs.at(current).prev >= 0)
            current = runs.at(current).prev;
    while (current >= 0) {
        const Run closer = runs.at(current);
        if (!closer.canClose) {
            current = closer.next;
            continue;
        }
        const int kind = kindOf(closer);
        const qsizetype floor = std::max(bottom, openersBottom.at(kind));
        qsizetype opener = closer.prev;
        for (; opener > floor; opener = runs.at(opener).prev) {
            const Run& run = runs.at(opener);
            if (run.marker != closer.marker || !run.canOpen) continue;
            if (closer.marker == u'~') {
                if (run.count == 2 && closer.count == 2) break;
                continue;
            }
            const bool oddMatch = (run.canClose || closer.canOpen) && closer.length % 3 != 0 &&
                                  (run.length + closer.length) % 3 == 0;
            if (!oddMatch) break;
        }
        if (opener > floor) {
            Run& open = runs[opener];
            Run& close = runs[current];
            const int use = open.count >= 2 && close.count >= 2 ? 2 : 1;
            pairs.append({opener, current, use});
            open.count -= use;
            close.count -= use;
            open.next = current;
            close.prev = opener;
            if (open.count == 0) unlink(opener);
            if (close.count == 0) {
                const qsizetype next = runs.at(current).next;
                unlink(current);
                current = next;
            }
        } else {
            openersBottom[kind] = closer.prev;
            const qsizetype next = closer.next;
            if (!closer.canOpen) unlink(current);
            current = next;
        }
    }
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// Where the paragraph that holds the end starts: after the last blank line before it.
qsizetype paragraphStart(QStringView text, qsizetype end)
{
    qsizetype start = 0;
    for (qsizetype line = 0; line < end;) {
        const qsizetype lineEnd = text.left(end).indexOf(u'\n', line);
        if (lineEnd < 0) break;
        const QStringView content = text.mid(line, lineEnd - line);
        if (std::all_of(content.begin(), content.end(), isBlank)) start = lineEnd + 1;
        line = lineEnd + 1;
    }
    return start;
}

bool isMarker(QChar c)
{
    return QStringView(u"\\`*_~[]").contains(c);
}

// Where the paragraph that holds the position ends (at a blank line), read no further than the
// limit.
qsizetype paragraphEnd(QStringView text, qsizetype from, qsizetype limit)
{
    limit = std::min(limit, text.size());
    for (qsizetype line = text.left(limit).indexOf(u'\n', std::max<qsizetype>(from - 1, 0));
         line >= 0; line = text.left(limit).indexOf(u'\n', line + 1)) {
        qsizetype next = line + 1;
        while (next < limit && isBlank(text.at(next)))
            ++next;
        if (next < limit && text.at(next) == u'\n') return line;
    }
    return limit;
}

// How a head of the paragraph is to be ended so that it reads as it does in the whole.
struct Ending {
    QString closers;
    qsizetype before = -1; // else: end before this, for what cannot be closed
};

Ending ending(const Reading& whole, QStringView head)
{
    const qsizetype cut = head.size();
    for (const Reading::Link& link : whole.links)
        if (link.at < cut && cut < link.end) return {{}, link.at};
    Ending end;
    for (const Reading::Code& code : whole.codes) {
        if (code.at >= cut || cut > code.close) continue;
        // A span cut before any of its text would show nothing but its markers.
        if (head.mid(code.at + code.length).trimmed().isEmpty()) return {{}, code.at};
        // A closing run right after a backtick would be read as a longer one.
        if (head.endsWith(u'`')) end.closers += u' ';
        end.closers += QString(code.length, u'`');
        end.before = code.at;
    }
    // Emphasis that the cut leaves open, innermost first: the latest opener, and of two from
    // the same run the one paired first.
    QList<Reading::Pair> open;
    for (const Reading::Pair& pair : whole.pairs)
        if (whole.runs.at(pair.opener).at < cut && whole.runs.at(pair.closer).at >= cut)
            open.append(pair);
    std::stable_sort(open.begin(), open.end(),
                     [](const auto& a, const auto& b) { return a.opener > b.opener; });
    for (const Reading::Pair& pair : open)
        end.closers += QString(pair.use, whole.runs.at(pair.opener).marker);
    if (end.before < 0 && !open.isEmpty()) end.before = whole.runs.at(open.first().opener).at;
    return end;
}

// The emphasis that opens before the cut: where, how many markers, and where it closes when that
// is before the cut too.
QList<std::tuple<qsizetype, int, qsizetype>> emphasis(const Reading& reading, qsizetype cut)
{
    QList<std::tuple<qsizetype, int, qsizetype>> opened;
    for (const Reading::Pair& pair : reading.pairs) {
        const qsizetype opener = reading.runs.at(pair.opener).at;
        const qsizetype closer = reading.runs.at(pair.closer).at;
        if (opener < cut) opened.append({opener, pair.use, closer < cut ? closer : -1});
    }
    std::sort(opened.begin(), opened.end());
    return opened;
}

// Whether the head with its closers reads as the whole does up to the cut: every run before it
// left as unpaired as in the whole and paired alike, every closer used up, and the same code
// spans and links.
bool readsAsWhole(const Reading& whole, const Reading& shown, qsizetype cut)
{
    if (emphasis(whole, cut) != emphasis(shown, cut)) return false;
    // A run that is none in one reading shows all its markers there.
    QHash<qsizetype, int> unpaired;
    for (const Reading::Run& run : shown.runs)
        unpaired.insert(run.at, run.count);
    for (const Reading::Run& run : whole.runs)
        if (run.at < cut && unpaired.value(run.at, run.length) != run.count) return false;
    unpaired.clear();
    for (const Reading::Run& run : whole.runs)
        unpaired.insert(run.at, run.count);
    for (const Reading::Run& run : shown.runs)
        if (run.count != (run.at < cut ? unpaired.value(run.at, run.length) : 0)) return false;
    const auto before = [cut](const auto& spans) {
        return std::count_if(spans.begin(), spans.end(),
                             [cut](const auto& span) { return span.at < cut; });
    };
    return shown.codes.size() == before(whole.codes) && shown.links.size() == before(whole.links);
}

} // namespace

QString cutMarkdown(QStringView text, qsizetype end, QStringView mark)
{
    const qsizetype start = paragraphStart(text, end);
    const QString head = text.left(start).toString();
    if (start == end) return head + mark.toString();
    // What comes after the cut decides whether a span opened before it is closed; a paragraph
    // longer than this is taken to end here.
    const qsizetype lookahead = std::max<qsizetype>(end - start, 4096);
    const Reading whole(text.mid(start, paragraphEnd(text, end, end + lookahead) - start));
    // Each try ends before what the last one could not close; a few are enough for any text but
    // one built to defeat them, which then ends before its paragraph.
    for (int attempt = 0; attempt < 8 && end > start; ++attempt) {
        QStringView paragraph = text.mid(start, end - start);
        qsizetype spaces = paragraph.size();
        while (spaces > 0 && isWhitespace(paragraph.at(spaces - 1).unicode()))
            --spaces;
        const QStringView trailing = paragraph.mid(spaces);
        paragraph.truncate(spaces);
        // Inside a line, markers right at the cut read by what follows them, which is not shown.
        if (trailing.isEmpty())
            while (!paragraph.isEmpty() && isMarker(paragraph.back()))
                paragraph.chop(1);
        const Ending closing = ending(whole, paragraph);
        if (closing.closers.isEmpty() && closing.before >= 0) {
            end = Graphemes::boundaryAtOrBefore(text, start + closing.before);
            continue;
        }
        const QString shown =
            paragraph.toString() + closing.closers + trailing.toString() + mark.toString();
        // Closers next to each other can read as one run of another length ("~~~~"), or pair
        // otherwise than meant: what does not read as closed is left out, the innermost first.
        if (readsAsWhole(whole, Reading(shown), paragraph.size())) return head + shown;
        end = Graphemes::boundaryAtOrBefore(text, start + std::max<qsizetype>(closing.before, 0));
    }
    return head + mark.toString();
}

} // namespace glossivo
