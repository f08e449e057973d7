#include "model/InlineMarkdown.h"

#include "model/BidiControls.h"
#include "model/HtmlEntities.h"
#include "model/MarkdownCharacters.h"
#include "model/MarkdownCut.h"
#include "model/MarkdownLinkTables.h"
#include "model/SafeLink.h"

#include <QHash>
#include <QList>
#include <QUrl>

#include <algorithm>
#include <array>
#include <optional>

namespace glossivo {

using MarkdownCharacters::isAsciiPunctuation;
using MarkdownCharacters::isPunctuation;
using MarkdownCharacters::isWhitespace;

namespace {

// The parser follows the CommonMark reference algorithm for inlines: one pass that cuts the
// text into pieces (literal text, code spans, delimiter runs, brackets) and keeps a stack of
// delimiter runs and one of open brackets; emphasis is paired afterwards, inside each link text
// and then over the whole. Every forward search that could be repeated (the closing backtick
// run, the end of a link's address) is answered from tables built once, so no input makes it
// go back over the text again and again.

enum class Tag { strong, emphasis, strike };

// A piece of the output. Text and code are stretches of the text itself, so that a long answer
// is not copied into pieces; the emphasis and the links that pieces open and close are kept
// beside them, for the few pieces that have any.
struct Piece {
    enum class Kind : quint8 { text, code, delimiter, bracket, linkClose };

    explicit Piece(Kind kind = Kind::text) : kind(kind) {}

    Kind kind;
    bool linked = false; // bracket, linkClose: a link formed here
    QChar marker;        // delimiter: '*', '_' or '~'
    int count = 0;       // delimiter: characters of the run still shown as themselves
    qsizetype from = 0;  // the stretch of the text; of a code span, what is inside its markers;
    qsizetype to = 0;    // in text, backslash escapes are still there and taken out as written
    qsizetype link = -1; // bracket, linkClose: the address in `links`; -1 when it may not open
};

// Emphasis that a delimiter piece opens or closes, in the order it was found.
struct TagMark {
    qsizetype piece = 0;
    Tag tag = Tag::strong;
    bool opens = false;
};

struct Delimiter {
    qsizetype piece = 0;
    QChar marker;
    int length = 0; // of the whole run as written
    bool canOpen = false;
    bool canClose = false;
    qsizetype prev = -1;
    qsizetype next = -1;
};

struct Bracket {
    qsizetype piece = 0;
    qsizetype bottom = -1; // the last delimiter before the bracket
};

bool isValidUtf16(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate()) {
            if (i + 1 >= text.size() || !text.at(i + 1).isLowSurrogate()) return false;
            ++i;
        } else if (c.isLowSurrogate()) {
            return false;
        }
    }
    return true;
}

QString openTag(Tag tag)
{
    switch (tag) {
    case Tag::strong:
        return QStringLiteral("<b>");
    case Tag::emphasis:
        return QStringLiteral("<i>");
    case Tag::strike:
        return QStringLiteral("<s>");
    }
    return {};
}

QString closeTag(Tag tag)
{
    switch (tag) {
    case Tag::strong:
        return QStringLiteral("</b>");
    case Tag::emphasis:
        return QStringLiteral("</i>");
    case Tag::strike:
        return QStringLiteral("</s>");
    }
    return {};
}

// What a character reference stands for. A bidirectional control is left out, as it is from
// the text itself.
QString referenced(const HtmlEntities::Reference& reference)
{
    QString text;
    for (const char32_t c : {reference.first, reference.second})
        if (c != 0 && !BidiControls::isControl(c)) text += QChar::fromUcs4(c);
    return text;
}

// A control character (a tab, a line break escaped into the address, a C1 code) would reach the
// desktop's opener inside the address; written as %XX per UTF-8 byte it is only data.
QString withoutControlCharacters(const QString& address)
{
    QString clean;
    clean.reserve(address.size());
    for (const QChar c : address) {
        if (c.category() != QChar::Other_Control) {
            clean += c;
            continue;
        }
        for (const char byte : QString(c).toUtf8())
            clean += QString::asprintf("%%%02X", unsigned(uchar(byte)));
    }
    return clean;
}

class Parser {
public:
    explicit Parser(const QString& text) : s(text) {}

    // Appends the markup of the text before `stop` (all of it when stop < 0), as the whole text
    // has it: a text or code piece across `stop` is cut there, and a marker at or across it ends
    // the markup, with the tags still open closed.
    void render(QString& html, qsizetype stop = -1);

private:
    // A whole text is rendered without a cut's checks and bookkeeping (at is null).
    template <bool cut> void renderPieces(QString& html, MarkdownCut* at);
    void parse();
    qsizetype codeSpan(qsizetype at);
    qsizetype delimiterRun(qsizetype at);
    qsizetype closeBracket(qsizetype at);
    // The end of an inline link's "(address "title")" starting at `at`, and its address.
    std::optional<std::pair<qsizetype, QString>> linkTail(qsizetype at);
    qsizetype closingBackticks(qsizetype after, int length);
    bool isFence(qsizetype at, qsizetype length) const;
    void processEmphasis(qsizetype bottom);
    void unlink(qsizetype delimiter);
    void appendText(qsizetype from, qsizetype to);
    char32_t codePointBefore(qsizetype at) const;
    char32_t codePointAt(qsizetype at) const;

    const QString& s;
    QList<Piece> pieces;
    QList<TagMark> tags;
    QList<QString> links;
    QList<Delimiter> delimiters;
    qsizetype lastDelimiter = -1;
    QList<Bracket> brackets;
    // Brackets below this index are inside a link's text and can no longer start a link.
    qsizetype activeBrackets = 0;
    std::optional<MarkdownLinkTables> tables;
    // Backtick runs by length, in text order, and how far each list has been passed.
    QHash<int, QList<qsizetype>> backtickRuns;
    QHash<int, qsizetype> backtickCursor;
    bool backticksIndexed = false;
};

char32_t Parser::codePointBefore(qsizetype at) const
{
    if (at <= 0) return '\n';
    const QChar c = s.at(at - 1);
    if (c.isLowSurrogate() && at >= 2) return QChar::surrogateToUcs4(s.at(at - 2), c);
    return c.unicode();
}

char32_t Parser::codePointAt(qsizetype at) const
{
    if (at >= s.size()) return '\n';
    const QChar c = s.at(at);
    if (c.isHighSurrogate() && at + 1 < s.size()) return QChar::surrogateToUcs4(c, s.at(at + 1));
    return c.unicode();
}

void Parser::appendText(qsizetype from, qsizetype to)
{
    if (!pieces.isEmpty() && pieces.last().kind == Piece::Kind::text && pieces.last().to == from) {
        pieces.last().to = to;
        return;
    }
    Piece piece;
    piece.from = from;
    piece.to = to;
    pieces.append(piece);
}

void Parser::parse()
{
    const qsizetype n = s.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = s.at(i);
        if (c == QLatin1Char('\\') && i + 1 < n && isAsciiPunctuation(s.at(i + 1).unicode())) {
            appendText(i, i + 2);
            i += 2;
        } else if (c == QLatin1Char('`')) {
            i = codeSpan(i);
        } else if (c == QLatin1Char('*') || c == QLatin1Char('_') || c == QLatin1Char('~')) {
            i = delimiterRun(i);
        } else if (c == QLatin1Char('[')) {
            brackets.append({pieces.size(), lastDelimiter});
            Piece bracket{Piece::Kind::bracket};
            bracket.from = i;
            bracket.to = ++i;
            pieces.append(bracket);
        } else if (c == QLatin1Char(']')) {
            i = closeBracket(i);
        } else {
            qsizetype end = i + 1;
            while (end < n && !QStringView(u"\\`*_~[]").contains(s.at(end)))
                ++end;
            appendText(i, end);
            i = end;
        }
    }
    processEmphasis(-1);
}

qsizetype Parser::closingBackticks(qsizetype after, int length)
{
    if (!backticksIndexed) {
        backticksIndexed = true;
        for (qsizetype i = 0; i < s.size();) {
            if (s.at(i) != QLatin1Char('`')) {
                ++i;
                continue;
            }
            qsizetype end = i;
            while (end < s.size() && s.at(end) == QLatin1Char('`'))
                ++end;
            if (!isFence(i, end - i)) backtickRuns[static_cast<int>(end - i)].append(i);
            i = end;
        }
    }
    const auto runs = backtickRuns.constFind(length);
    if (runs == backtickRuns.constEnd()) return -1;
    // Openers come in text order, so each list is only ever passed forwards.
    qsizetype& cursor = backtickCursor[length];
    while (cursor < runs->size() && runs->at(cursor) < after)
        ++cursor;
    return cursor < runs->size() ? runs->at(cursor) : -1;
}

// Three or more backticks that begin a line (after at most three spaces) mark a fenced block,
// which stays as written like every other block: they neither open nor close a code span.
bool Parser::isFence(qsizetype at, qsizetype length) const
{
    if (length < 3) return false;
    qsizetype start = at;
    while (start > 0 && at - start <= 3 && s.at(start - 1) == QLatin1Char(' '))
        --start;
    return at - start <= 3 && (start == 0 || s.at(start - 1) == QLatin1Char('\n'));
}

qsizetype Parser::codeSpan(qsizetype at)
{
    qsizetype end = at;
    while (end < s.size() && s.at(end) == QLatin1Char('`'))
        ++end;
    const int length = static_cast<int>(end - at);
    const qsizetype close = isFence(at, length) ? -1 : closingBackticks(end, length);
    if (close < 0) {
        appendText(at, end);
        return end;
    }
    Piece code{Piece::Kind::code};
    code.from = end;
    code.to = close;
    // One space on each side is padding, so that a span can begin or end with a backtick.
    const QStringView inside = QStringView(s).mid(end, close - end);
    if (inside.size() >= 2 && inside.front() == u' ' && inside.back() == u' ' &&
        !inside.trimmed().isEmpty()) {
        ++code.from;
        --code.to;
    }
    pieces.append(code);
    return close + length;
}

qsizetype Parser::delimiterRun(qsizetype at)
{
    const QChar marker = s.at(at);
    qsizetype end = at;
    while (end < s.size() && s.at(end) == marker)
        ++end;
    const int length = static_cast<int>(end - at);
    // Strikethrough takes exactly two tildes: a single one is common in plain text ("3~5 天").
    if (marker == QLatin1Char('~') && length != 2) {
        appendText(at, end);
        return end;
    }
    const char32_t before = codePointBefore(at);
    const char32_t after = codePointAt(end);
    const bool leftFlanking =
        !isWhitespace(after) &&
        (!isPunctuation(after) || isWhitespace(before) || isPunctuation(before));
    const bool rightFlanking =
        !isWhitespace(before) &&
        (!isPunctuation(before) || isWhitespace(after) || isPunctuation(after));
    bool canOpen = leftFlanking;
    bool canClose = rightFlanking;
    if (marker == QLatin1Char('_')) {
        // No emphasis inside words with underscores: snake_case_names stay as written.
        canOpen = leftFlanking && (!rightFlanking || isPunctuation(before));
        canClose = rightFlanking && (!leftFlanking || isPunctuation(after));
    }
    Piece piece{Piece::Kind::delimiter};
    piece.marker = marker;
    piece.count = length;
    piece.from = at;
    piece.to = end;
    pieces.append(piece);
    if (canOpen || canClose) {
        Delimiter delimiter{pieces.size() - 1, marker,        length, canOpen,
                            canClose,          lastDelimiter, -1};
        delimiters.append(delimiter);
        if (lastDelimiter >= 0) delimiters[lastDelimiter].next = delimiters.size() - 1;
        lastDelimiter = delimiters.size() - 1;
    }
    return end;
}

qsizetype Parser::closeBracket(qsizetype at)
{
    if (brackets.isEmpty()) {
        appendText(at, at + 1);
        return at + 1;
    }
    const Bracket opener = brackets.takeLast();
    const bool active = brackets.size() >= activeBrackets;
    activeBrackets = std::min(activeBrackets, brackets.size());
    const auto tail = active ? linkTail(at + 1) : std::nullopt;
    if (!tail) {
        appendText(at, at + 1);
        return at + 1;
    }
    // Emphasis inside the link's text pairs there and nowhere else.
    processEmphasis(opener.bottom);
    const QString address = withoutControlCharacters(tail->second);
    qsizetype link = -1;
    if (isOpenableLink(QUrl(address))) {
        link = links.size();
        links.append(address);
    }
    Piece& open = pieces[opener.piece];
    open.linked = true;
    open.link = link;
    Piece close{Piece::Kind::linkClose};
    close.linked = true;
    close.link = link;
    close.from = at;
    close.to = tail->first;
    pieces.append(close);
    // Links do not nest: no bracket opened before this one starts a link any more.
    activeBrackets = brackets.size();
    return tail->first;
}

std::optional<std::pair<qsizetype, QString>> Parser::linkTail(qsizetype at)
{
    const qsizetype n = s.size();
    if (at >= n || s.at(at) != QLatin1Char('(')) return std::nullopt;
    if (!tables) tables.emplace(s);
    qsizetype i = tables->nonSpaceFrom(at + 1);
    QString raw;
    if (i < n && s.at(i) == QLatin1Char('<')) {
        const qsizetype close = tables->angleStop(i + 1);
        if (close < 0 || s.at(close) != QLatin1Char('>')) return std::nullopt;
        raw = s.mid(i + 1, close - i - 1);
        i = close + 1;
    } else {
        const qsizetype closing = tables->closingParen(i);
        const qsizetype space = tables->spaceFrom(i);
        const qsizetype end = closing >= 0 ? std::min(closing, space) : space;
        if (!tables->balanced(i, end)) return std::nullopt;
        raw = s.mid(i, end - i);
        i = end;
    }
    qsizetype next = tables->nonSpaceFrom(i);
    if (next < n && next > i &&
        (s.at(next) == QLatin1Char('"') || s.at(next) == QLatin1Char('\''))) {
        // A title; it is not shown.
        const qsizetype close = tables->quote(s.at(next), next + 1);
        if (close < 0) return std::nullopt;
        next = tables->nonSpaceFrom(close + 1);
    }
    if (next >= n || s.at(next) != QLatin1Char(')')) return std::nullopt;
    QString address;
    for (qsizetype k = 0; k < raw.size(); ++k) {
        const HtmlEntities::Reference reference =
            HtmlEntities::referenceAt(QStringView(raw).mid(k));
        if (reference.length > 0) {
            address += referenced(reference);
            k += reference.length - 1;
            continue;
        }
        if (raw.at(k) == QLatin1Char('\\') && k + 1 < raw.size() &&
            isAsciiPunctuation(raw.at(k + 1).unicode()))
            ++k;
        address += raw.at(k);
    }
    return std::make_pair(next + 1, address);
}

void Parser::unlink(qsizetype index)
{
    const Delimiter& d = delimiters.at(index);
    if (d.prev >= 0) delimiters[d.prev].next = d.next;
    if (d.next >= 0)
        delimiters[d.next].prev = d.prev;
    else
        lastDelimiter = d.prev;
}

void Parser::processEmphasis(qsizetype bottom)
{
    // For each kind of closer, the delimiter below which no opener for it is left; the kind is
    // the marker, whether the closer can also open, and its length modulo 3.
    std::array<qsizetype, 3 * 2 * 3> openersBottom;
    openersBottom.fill(bottom);
    const auto kindOf = [](const Delimiter& closer) {
        const int marker = closer.marker == QLatin1Char('*')   ? 0
                           : closer.marker == QLatin1Char('_') ? 1
                                                               : 2;
        return (marker * 2 + (closer.canOpen ? 1 : 0)) * 3 + closer.length % 3;
    };

    qsizetype current = bottom >= 0 ? delimiters.at(bottom).next : -1;
    if (bottom < 0) {
        // The first delimiter of the whole list.
        current = lastDelimiter;
        while (current >= 0 && delimiters.at(current).prev >= 0)
            current = delimiters.at(current).prev;
    }
    while (current >= 0) {
        const Delimiter closer = delimiters.at(current);
        if (!closer.canClose) {
            current = closer.next;
            continue;
        }
        const int kind = kindOf(closer);
        const qsizetype floor = std::max(bottom, openersBottom.at(kind));
        const int closerCount = pieces.at(closer.piece).count;
        qsizetype opener = closer.prev;
        for (; opener >= 0 && opener > floor; opener = delimiters.at(opener).prev) {
            const Delimiter& d = delimiters.at(opener);
            if (d.marker != closer.marker || !d.canOpen) continue;
            const int openerCount = pieces.at(d.piece).count;
            if (closer.marker == QLatin1Char('~')) {
                if (openerCount == 2 && closerCount == 2) break;
                continue;
            }
            const bool oddMatch = (d.canClose || closer.canOpen) && closer.length % 3 != 0 &&
                                  (d.length + closer.length) % 3 == 0;
            if (!oddMatch) break;
        }
        if (opener >= 0 && opener > floor) {
            Piece& open = pieces[delimiters.at(opener).piece];
            Piece& close = pieces[closer.piece];
            const int use = (open.count >= 2 && close.count >= 2) ? 2 : 1;
            const Tag tag = closer.marker == QLatin1Char('~') ? Tag::strike
                            : use == 2                        ? Tag::strong
                                                              : Tag::emphasis;
            tags.append({delimiters.at(opener).piece, tag, true});
            tags.append({closer.piece, tag, false});
            open.count -= use;
            close.count -= use;
            // Runs between the pair can no longer pair across it.
            delimiters[opener].next = current;
            delimiters[current].prev = opener;
            if (open.count == 0) unlink(opener);
            if (close.count == 0) {
                const qsizetype next = delimiters.at(current).next;
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
    // What is left above the bottom stays as written.
    if (bottom >= 0) {
        delimiters[bottom].next = -1;
        lastDelimiter = bottom;
    } else {
        lastDelimiter = -1;
    }
}

QString entityOf(QChar reserved)
{
    return reserved == u'<'   ? QStringLiteral("&lt;")
           : reserved == u'>' ? QStringLiteral("&gt;")
           : reserved == u'&' ? QStringLiteral("&amp;")
                              : QStringLiteral("&quot;");
}

// The stretch escaped for HTML; when it is text, its backslash escapes are taken out and its
// character references put in. What a reference stands for is only ever text: the parser has
// already read the stretch, so a "&#42;" can no longer make emphasis.
void appendEscaped(QString& html, QStringView stretch, bool text)
{
    const auto reserved = [](QChar c) { return c == u'<' || c == u'>' || c == u'&' || c == u'"'; };
    qsizetype done = 0;
    for (qsizetype k = 0; k < stretch.size(); ++k) {
        const QChar c = stretch[k];
        const bool escape = text && c == u'\\' && k + 1 < stretch.size() &&
                            isAsciiPunctuation(stretch[k + 1].unicode());
        if (!escape && !reserved(c)) continue;
        html += stretch.mid(done, k - done);
        done = k + 1;
        if (escape) {
            // The escaped character is written as itself: an escaped backslash escapes nothing
            // after it, and an escaped '&' starts no reference. One that HTML reserves is still
            // written as its entity.
            ++k;
            if (reserved(stretch[k])) {
                html += entityOf(stretch[k]);
                done = k + 1;
            }
            continue;
        }
        if (text && c == u'&') {
            const HtmlEntities::Reference reference = HtmlEntities::referenceAt(stretch.mid(k));
            if (reference.length > 0) {
                html += referenced(reference).toHtmlEscaped();
                k += reference.length - 1;
                done = k + 1;
                continue;
            }
        }
        html += entityOf(c);
    }
    html += stretch.mid(done);
}

void Parser::render(QString& html, qsizetype stop)
{
    parse();
    // The marks of each piece together, each piece's in the order they were found.
    std::stable_sort(tags.begin(), tags.end(),
                     [](const TagMark& a, const TagMark& b) { return a.piece < b.piece; });
    if (stop < 0) {
        renderPieces<false>(html, nullptr);
        return;
    }
    MarkdownCut at(stop);
    renderPieces<true>(html, &at);
}

template <bool cut> void Parser::renderPieces(QString& html, MarkdownCut* at)
{
    qsizetype mark = 0;
    for (qsizetype index = 0; index < pieces.size(); ++index) {
        const Piece& piece = pieces.at(index);
        const QStringView stretch = QStringView(s).mid(piece.from, piece.to - piece.from);
        if (cut && at->reaches(piece.to)) {
            if (piece.kind == Piece::Kind::text) {
                appendEscaped(html, stretch.left(at->keptOfText(stretch, piece.from)), true);
            } else if (const qsizetype kept = at->keptOfCode(piece.from);
                       piece.kind == Piece::Kind::code && kept > 0) {
                html += QStringLiteral("<code>");
                appendEscaped(html, stretch.left(kept), false);
                html += QStringLiteral("</code>");
            }
            break;
        }
        qsizetype marksEnd = mark;
        while (marksEnd < tags.size() && tags.at(marksEnd).piece == index)
            ++marksEnd;
        switch (piece.kind) {
        case Piece::Kind::text:
            appendEscaped(html, stretch, true);
            break;
        case Piece::Kind::code:
            html += QStringLiteral("<code>");
            appendEscaped(html, stretch, false);
            html += QStringLiteral("</code>");
            break;
        case Piece::Kind::delimiter:
            // Closed innermost first; opened outermost first, the reverse of how they were found.
            for (qsizetype k = mark; k < marksEnd; ++k) {
                if (tags.at(k).opens) continue;
                html += closeTag(tags.at(k).tag);
                if constexpr (cut) at->closed();
            }
            html += QString(piece.count, piece.marker);
            for (qsizetype k = marksEnd; k-- > mark;) {
                if (!tags.at(k).opens) continue;
                html += openTag(tags.at(k).tag);
                if constexpr (cut) at->opened(closeTag(tags.at(k).tag));
            }
            break;
        case Piece::Kind::bracket:
            if (!piece.linked) {
                html += QLatin1Char('[');
            } else if (piece.link >= 0) {
                html += QStringLiteral("<a href=\"") + links.at(piece.link).toHtmlEscaped() +
                        QStringLiteral("\">");
                if constexpr (cut) at->opened(QStringLiteral("</a>"));
            }
            break;
        case Piece::Kind::linkClose:
            if (piece.link >= 0) {
                html += QStringLiteral("</a>");
                if constexpr (cut) at->closed();
            }
            break;
        }
        mark = marksEnd;
    }
    if constexpr (cut) at->close(html);
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// The end of the blank line that starts at `at` (past its line break); -1 when it is not blank.
qsizetype blankLineEnd(const QString& text, qsizetype at)
{
    while (at < text.size() && isBlank(text.at(at)))
        ++at;
    return at < text.size() && text.at(at) == u'\n' ? at + 1 : -1;
}

// Where the paragraph that starts at `from` ends, and where the next one starts: past the line
// break and the blank lines that end it; both the text's end for the last paragraph.
std::pair<qsizetype, qsizetype> paragraphBreak(const QString& text, qsizetype from)
{
    for (qsizetype lineEnd = text.indexOf(u'\n', from); lineEnd >= 0;
         lineEnd = text.indexOf(u'\n', lineEnd + 1)) {
        qsizetype next = blankLineEnd(text, lineEnd + 1);
        if (next < 0) continue;
        // Further blank lines belong to the same break.
        for (qsizetype more = blankLineEnd(text, next); more >= 0; more = blankLineEnd(text, next))
            next = more;
        return {lineEnd, next};
    }
    return {text.size(), text.size()};
}

// Emphasis, code spans and links end where the paragraph does, at a blank line, as a CommonMark
// reader has it; so each paragraph is read by itself, and a long answer never needs more than one
// paragraph's worth of reading state. Appends the markup of the text before `stop` (all of it
// when stop < 0).
void appendParagraphs(QString& html, const QString& text, qsizetype stop)
{
    const qsizetype last = stop < 0 ? text.size() : std::min(stop, text.size());
    for (qsizetype from = 0; from < last;) {
        const auto [end, next] = paragraphBreak(text, from);
        const bool cut = stop >= 0 && end > stop;
        Parser(text.mid(from, end - from)).render(html, cut ? stop - from : -1);
        if (cut) return;
        html += QStringView(text).mid(end, std::min(next, last) - end);
        from = next;
    }
}

// Runs of spaces and line breaks stay as the text has them.
const QString kOpen = QStringLiteral("<span style=\"white-space:pre-wrap\">");
const QString kClose = QStringLiteral("</span>");

} // namespace

QString plainMarkup(const QString& text)
{
    if (text.isEmpty()) return {};
    return kOpen + BidiControls::removed(text).toHtmlEscaped() + kClose;
}

QString inlineMarkdown(const QString& text)
{
    if (!isValidUtf16(text)) return plainMarkup(text);
    if (text.isEmpty()) return {};
    const QString shown = BidiControls::removed(text);
    QString html;
    html.reserve(kOpen.size() + shown.size() + shown.size() / 8 + kClose.size());
    html += kOpen;
    appendParagraphs(html, shown, -1);
    html += kClose;
    return html;
}

QString inlineMarkdownPrefix(const QString& text, qsizetype end, QStringView mark)
{
    end = MarkdownCut::end(text, end);
    if (!isValidUtf16(text)) return plainMarkup(text.left(end) + mark.toString());
    const MarkdownCut::Reading read = MarkdownCut::reading(text, end);
    QString html = kOpen;
    appendParagraphs(html, read.text, read.stop);
    html += mark.toString().toHtmlEscaped();
    html += kClose;
    return html;
}

} // namespace glossivo
