#include "input/ScreenOCR.h"

#include "input/GrayImage.h"
#include "input/TextRows.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <utility>
#include <vector>

namespace glossivo {

namespace {

constexpr double kLineSlack = 0.01;     // a line catches the cursor this far around its box
constexpr double kWordReach = 0.015;    // the nearest word must lie closer than this
constexpr double kMinBandHeight = 0.02; // a thin line still gathers a useful band
constexpr double kBandLines = 3.5;      // line heights above and below the chosen line
constexpr double kBandWidening = 0.05;  // columns further to the side stay out of the context
// Words cut by the strip's sides. Between a word and a side, a blank as wide as a space means
// the word ended before the side; narrower, it is the gap between two letters: the side cut the
// word, and the recogniser dropped the letter it saw only in part there. Measured on DejaVu
// Sans, Sans Mono and Noto Sans CJK from 9 to 32 points.
// Of the middle blank between the line's words, a space: the gaps between the letters of small
// type (Noto Sans CJK at 12 points) reach seven tenths of it.
constexpr double kSpaceShare = 0.8;
// Of the tallest word's height, the space of a line of one word: spaces run from a fifth to a
// third of the type's size, the gaps between letters far less.
constexpr double kLoneSpace = 0.18;
// Of the tallest word's height, the widest space: a gap wider than this held a word that the
// recogniser left out (a highlighted one), and is no space.
constexpr double kWidestSpace = 0.8;
// A blank reaching the side itself ends the word when it is this share of a space wide, or
// these pixels at 96 dpi: no letter crosses the side there, and a cut letter's sliver fades
// over fewer. Where the picture reaches beyond the side, the blank is counted on over there: a
// blank of a few pixels at the side may be part of a space or the gap between two letters.
constexpr double kSideShare = 0.6;
constexpr double kSideMin = 3;
// Lines cut by the strip's top or bottom.
constexpr double kCutReach = 1.5; // pixels at 96 dpi: a line this near a cutting edge may be cut
// Pixels at 96 dpi a line may be lower than the tallest and be whole: a line that lost only the
// tips of its tall letters is read as badly as one cut through the middle.
constexpr double kCutLineSlack = 1.5;

// Minimum edges inclusive, maximum edges exclusive, as the recogniser's rectangles count.
bool contains(const QRectF& box, QPointF point)
{
    return point.x() >= box.left() && point.x() < box.right() && point.y() >= box.top() &&
           point.y() < box.bottom();
}

double gap(double value, double low, double high)
{
    if (value >= low && value <= high) return 0;
    return std::min(std::abs(value - low), std::abs(value - high));
}

double horizontalGap(double x, const QRectF& box)
{
    return gap(x, box.left(), box.right());
}

double verticalGap(double y, const QRectF& box)
{
    return gap(y, box.top(), box.bottom());
}

bool hasAsciiLetter(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        return c.unicode() <= 0x7F && ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'));
    });
}

// Rows from the top; lines whose middles lie within the tolerance count as one row and go left
// to right. The order is not transitive near the tolerance, which rules out the standard sorts
// (they may run past the ends of the list on such an order): a guarded insertion sort is
// stable, never leaves the list, and the lists are a few dozen lines at most.
void sortInRows(
    QList<ScreenOCR::Line>& lines,
    const std::function<double(const ScreenOCR::Line&, const ScreenOCR::Line&)>& tolerance)
{
    auto before = [&](const ScreenOCR::Line& a, const ScreenOCR::Line& b) {
        const double apart = std::abs(a.box.center().y() - b.box.center().y());
        const double t = tolerance(a, b);
        if (apart > t) return a.box.center().y() > b.box.center().y();
        return a.box.left() < b.box.left();
    };
    for (qsizetype i = 1; i < lines.size(); ++i) {
        qsizetype j = i;
        while (j > 0 && before(lines[i], lines[j - 1]))
            --j;
        if (j != i) lines.move(i, j);
    }
}

const ScreenOCR::Line* lineUnderCursor(const QList<ScreenOCR::Line>& lines, QPointF cursor)
{
    for (const ScreenOCR::Line& line : lines) {
        if (contains(line.box.adjusted(-kLineSlack, -kLineSlack, kLineSlack, kLineSlack), cursor))
            return &line;
    }
    return nullptr;
}

const ScreenOCR::Word* wordNearCursor(const ScreenOCR::Line& line, QPointF cursor)
{
    const ScreenOCR::Word* best = nullptr;
    double bestGap = std::numeric_limits<double>::infinity();
    for (const ScreenOCR::Word& word : line.words) {
        const double wordGap = horizontalGap(cursor.x(), word.box);
        if (wordGap < bestGap) {
            best = &word;
            bestGap = wordGap;
        }
    }
    if (!best || !(bestGap == 0 || bestGap < kWordReach)) return nullptr;
    return best;
}

const ScreenOCR::Line& nearestLine(const QList<ScreenOCR::Line>& lines, QPointF cursor)
{
    const ScreenOCR::Line* best = &lines.front();
    for (const ScreenOCR::Line& line : lines) {
        const double v = verticalGap(cursor.y(), line.box);
        const double bestV = verticalGap(cursor.y(), best->box);
        if (v < bestV || (v == bestV && horizontalGap(cursor.x(), line.box) <
                                            horizontalGap(cursor.x(), best->box)))
            best = &line;
    }
    return *best;
}

// Where each word of a line starts in its text (-1 when it cannot be found): the words were cut
// from the text in order.
QList<qsizetype> wordStarts(const ScreenOCR::Line& line)
{
    QList<qsizetype> starts;
    qsizetype from = 0;
    for (const ScreenOCR::Word& word : line.words) {
        const qsizetype at = line.text.indexOf(word.text, from);
        starts.append(at);
        if (at >= 0) from = at + word.text.size();
    }
    return starts;
}

// The run of characters between spaces that holds the position: a word with the punctuation
// stuck to it.
qsizetype runStart(const QString& text, qsizetype at)
{
    while (at > 0 && !text[at - 1].isSpace())
        --at;
    return at;
}

qsizetype runEnd(const QString& text, qsizetype at)
{
    while (at < text.size() && !text[at].isSpace())
        ++at;
    return at;
}

// The line whose height (with the slack) spans y, the horizontally nearest of several.
ScreenOCR::Line* lineAcross(QList<ScreenOCR::Line>& lines, QPointF point)
{
    ScreenOCR::Line* best = nullptr;
    for (ScreenOCR::Line& line : lines) {
        if (point.y() < line.box.top() - kLineSlack || point.y() > line.box.bottom() + kLineSlack)
            continue;
        if (!best || horizontalGap(point.x(), line.box) < horizontalGap(point.x(), best->box))
            best = &line;
    }
    return best;
}

// Puts `text` over the words of the line between `left` and `right`, or into the gap there
// when no word lies between them; stray marks in such a gap are what the highlight left.
void putInPlace(ScreenOCR::Line& line, double left, double right, const QString& text)
{
    const QList<qsizetype> starts = wordStarts(line);
    qsizetype before = -1, first = -1, last = -1;
    for (qsizetype i = 0; i < line.words.size(); ++i) {
        if (starts[i] < 0) continue;
        const QRectF& box = line.words[i].box;
        if (box.right() < left) {
            before = i;
        } else if (box.left() <= right) {
            if (first < 0) first = i;
            last = i;
        }
    }
    QRectF box;
    qsizetype at = before + 1;
    if (first >= 0) {
        // The caret at one end of the selection and the highlight's edges read as bars and
        // brackets beside it, words of their own or stuck to the selected one.
        const auto isEdgeMark = [](QChar c) { return c == u'|' || c == u'[' || c == u']'; };
        const auto isMarkWord = [&](qsizetype i) {
            return starts[i] >= 0 && !line.words[i].text.isEmpty() &&
                   std::all_of(line.words[i].text.begin(), line.words[i].text.end(), isEdgeMark);
        };
        while (first > 0 && isMarkWord(first - 1))
            --first;
        while (last + 1 < line.words.size() && isMarkWord(last + 1))
            ++last;
        qsizetype start = starts[first];
        qsizetype end = starts[last] + line.words[last].text.size();
        while (start > 0 && isEdgeMark(line.text[start - 1]))
            --start;
        while (end < line.text.size() && isEdgeMark(line.text[end]))
            ++end;
        line.text.replace(start, end - start, text);
        for (qsizetype i = first; i <= last; ++i)
            box |= line.words[i].box;
        line.words.remove(first, last - first + 1);
        at = first;
    } else {
        const bool hasAfter = at < line.words.size() && starts[at] >= 0;
        const qsizetype gapStart =
            before >= 0 ? runEnd(line.text, starts[before] + line.words[before].text.size()) : 0;
        const qsizetype gapEnd = hasAfter ? runStart(line.text, starts[at]) : line.text.size();
        // At the end of the line the sentence's closing mark outside the highlight stays.
        qsizetype closing = gapEnd;
        while (!hasAfter && closing > gapStart && line.text[closing - 1].isPunct() &&
               line.text[closing - 1] != u'|')
            --closing;
        line.text.replace(gapStart, std::max<qsizetype>(closing - gapStart, 0),
                          (hasAfter ? QStringLiteral(" %1 ") : QStringLiteral(" %1")).arg(text));
        const double boxLeft = before >= 0 ? line.words[before].box.right() : left;
        const double boxRight = hasAfter ? line.words[at].box.left() : right;
        box = QRectF(boxLeft, line.box.top(), std::max(boxRight - boxLeft, 0.0), line.box.height());
    }
    line.words.insert(at, ScreenOCR::Word{text, box});
    line.text = line.text.simplified();
    line.box |= box;
}

// Where the part of the picture that was read lies in it: normalized x to a column.
struct Span {
    int offset = 0;
    int width = 0;
    double at(double x) const { return offset + x * width; }
};

// The rows of a box in the picture, counted from its top.
TextRows::Band rowsOf(const QRectF& box, const GrayImage& image)
{
    return {int(std::floor((1 - box.bottom()) * image.height)),
            int(std::ceil((1 - box.top()) * image.height)) - 1};
}

// The ink columns of the rows of boxes, kept for the next box of the same rows: the words of a
// line mostly share theirs.
class RowInk {
public:
    explicit RowInk(const GrayImage& image) : m_image(image) {}
    const QList<bool>& of(const QRectF& box)
    {
        const TextRows::Band rows = rowsOf(box, m_image);
        const auto key = std::pair(rows.top, rows.bottom);
        auto found = m_columns.find(key);
        if (found == m_columns.end())
            found = m_columns.emplace(key, TextRows::inkColumns(m_image, rows)).first;
        return found->second;
    }

private:
    const GrayImage& m_image;
    std::map<std::pair<int, int>, QList<bool>> m_columns;
};

// The widest blank of the ink columns `ink` between two boxes side by side, in pixels. A word the
// recogniser left out (a highlighted one) stands in the gap between its neighbours' boxes, and
// the blanks around it are the spaces.
double widestBlank(const QList<bool>& ink, Span span, const QRectF& before, const QRectF& after)
{
    const auto from = std::max<qsizetype>(qsizetype(std::ceil(span.at(before.right()))), 0);
    const auto to = std::min<qsizetype>(qsizetype(std::floor(span.at(after.left()))), ink.size());
    qsizetype widest = 0, blank = 0;
    for (qsizetype x = from; x < to; ++x) {
        blank = ink[x] ? 0 : blank + 1;
        widest = std::max(widest, blank);
    }
    return double(widest);
}

// The rows most of the line's words share: a word misread across the next line would bring its
// ink into the gaps between this line's words.
QRectF typicalRows(const ScreenOCR::Line& line)
{
    std::vector<double> tops, bottoms;
    for (const ScreenOCR::Word& word : line.words) {
        tops.push_back(word.box.bottom());
        bottoms.push_back(word.box.top());
    }
    if (tops.empty()) return line.box;
    std::nth_element(tops.begin(), tops.begin() + tops.size() / 2, tops.end());
    std::nth_element(bottoms.begin(), bottoms.begin() + bottoms.size() / 2, bottoms.end());
    const double top = tops[tops.size() / 2];
    const double bottom = std::min(bottoms[bottoms.size() / 2], top);
    return QRectF(line.box.left(), bottom, line.box.width(), top - bottom);
}

// The narrowest blank that counts as a space on the line, in pixels: a share of the middle blank
// between its words, as wide as the type's own spaces are. Of two middle blanks the narrower is
// taken.
double spaceWidth(const ScreenOCR::Line& line, const GrayImage& image, Span span, RowInk& rowInk)
{
    std::vector<double> gaps;
    double tallest = 0;
    const QList<bool>& ink = rowInk.of(typicalRows(line));
    for (qsizetype i = 0; i < line.words.size(); ++i) {
        tallest = std::max(tallest, line.words[i].box.height() * image.height);
        if (i > 0) gaps.push_back(widestBlank(ink, span, line.words[i - 1].box, line.words[i].box));
    }
    if (gaps.empty()) return std::max(kLoneSpace * tallest, 1.0);
    const auto middle = gaps.begin() + (gaps.size() - 1) / 2;
    std::nth_element(gaps.begin(), middle, gaps.end());
    return std::max(std::min(kSpaceShare * *middle, kWidestSpace * tallest), 1.0);
}

// Whether any of the columns of the box hold ink.
bool inkUnder(const QList<bool>& ink, Span span, const QRectF& box)
{
    const auto left = std::max<qsizetype>(qsizetype(std::floor(span.at(box.left()))), 0);
    const auto right = std::min<qsizetype>(qsizetype(std::ceil(span.at(box.right()))), ink.size());
    return std::any_of(ink.begin() + std::min(left, right), ink.begin() + right,
                       [](bool inked) { return inked; });
}

// Whether the word's ink runs on to the side of the part that was read (`step` -1 the left, 1 the
// right) with no blank of `space` pixels on the way. The walk starts in the word's middle, since
// the recogniser's box may reach over the space after the word and the sliver beyond it. Beyond
// the side, where the picture reaches there, the blank is seen whole: ink before a space is the
// rest of the word.
bool inkRunsToEdge(const QList<bool>& ink, Span span, const QRectF& box, int step, double space,
                   double scale)
{
    const int side = step < 0 ? span.offset : span.offset + span.width - 1;
    int blank = 0;
    for (int x = int(span.at(box.center().x())); x >= 0 && x < ink.size(); x += step) {
        blank = ink[x] ? 0 : blank + 1;
        if (blank >= space) return false;
        if (ink[x] && (x - side) * step > 0) return true;
    }
    return blank < std::max(kSideShare * space, kSideMin * scale);
}

// The middle of the lines' heights; 0 without lines.
double middleHeight(const QList<ScreenOCR::Line>& lines)
{
    std::vector<double> heights;
    for (const ScreenOCR::Line& line : lines)
        heights.push_back(line.box.height());
    if (heights.empty()) return 0;
    std::nth_element(heights.begin(), heights.begin() + heights.size() / 2, heights.end());
    return heights[heights.size() / 2];
}

QString contextAround(const QList<ScreenOCR::Line>& lines, const ScreenOCR::Line& chosen)
{
    const double h = std::max(chosen.box.height(), kMinBandHeight);
    const double middle = chosen.box.center().y();
    const QRectF widened = chosen.box.adjusted(-kBandWidening, 0, kBandWidening, 0);
    QList<ScreenOCR::Line> band;
    for (const ScreenOCR::Line& line : lines) {
        if (std::abs(line.box.center().y() - middle) > kBandLines * h) continue;
        if (line.box.right() >= widened.left() && line.box.left() <= widened.right())
            band.append(line);
    }
    sortInRows(band, [h](const ScreenOCR::Line&, const ScreenOCR::Line&) { return 0.5 * h; });
    return ScreenOCR::join(band);
}

} // namespace

std::optional<ScreenOCR::Result> ScreenOCR::analyze(const QList<Line>& lines, QPointF cursor,
                                                    bool findWord)
{
    if (lines.isEmpty()) return std::nullopt;
    if (!findWord)
        return Result{std::nullopt, contextAround(lines, nearestLine(lines, cursor)), std::nullopt};

    const Line* chosen = lineUnderCursor(lines, cursor);
    if (!chosen) return std::nullopt;
    const Word* word = wordNearCursor(*chosen, cursor);
    if (!word || !hasAsciiLetter(word->text)) return std::nullopt;
    return Result{word->text, contextAround(lines, *chosen), word->box};
}

QList<ScreenOCR::Line> ScreenOCR::wholeWords(const QList<Line>& lines, const GrayImage& image,
                                             Qt::Edges cuts, Margins beyond)
{
    if (image.isNull()) return lines; // nothing shows a cut
    const Span span{beyond.left, image.width - beyond.left - beyond.right};
    const int height = std::max(image.height, 1);
    const double dy = kCutReach * image.scale / height;
    // A line the top or bottom cuts leaves ink in that row and is lower than the whole lines; a
    // line ending just short of the edge, or on it, is neither. The recogniser reads the rest of
    // a cut line as pieces and misread words, so the whole line goes.
    const QList<bool> topInk = TextRows::inkColumns(image, {0, 0});
    const QList<bool> bottomInk = TextRows::inkColumns(image, {height - 1, height - 1});
    RowInk rowInk(image);
    double tallest = 0;
    for (const Line& line : lines)
        tallest = std::max(tallest, line.box.height());
    QList<Line> whole;
    for (const Line& line : lines) {
        const bool lower = line.box.height() < tallest - kCutLineSlack * image.scale / height;
        const auto cutAcross = [&](const QRectF& box) {
            return (cuts.testFlag(Qt::TopEdge) && box.bottom() >= 1 - dy &&
                    inkUnder(topInk, span, box)) ||
                   (cuts.testFlag(Qt::BottomEdge) && box.top() <= dy &&
                    inkUnder(bottomInk, span, box));
        };
        if (lower && std::any_of(line.words.begin(), line.words.end(),
                                 [&](const Word& word) { return cutAcross(word.box); }))
            continue;
        const double space = spaceWidth(line, image, span, rowInk);
        const auto isCut = [&](const Word& word) {
            if (!(cuts & (Qt::LeftEdge | Qt::RightEdge))) return false;
            const QList<bool>& ink = rowInk.of(word.box);
            return (cuts.testFlag(Qt::LeftEdge) &&
                    inkRunsToEdge(ink, span, word.box, -1, space, image.scale)) ||
                   (cuts.testFlag(Qt::RightEdge) &&
                    inkRunsToEdge(ink, span, word.box, 1, space, image.scale));
        };
        const QList<qsizetype> starts = wordStarts(line);
        Line kept{line.text, {}, {}};
        for (qsizetype i = 0; i < line.words.size(); ++i) {
            const Word& word = line.words[i];
            if (!isCut(word)) {
                kept.words.append(word);
                kept.box |= word.box;
            } else if (starts[i] >= 0) {
                // Blanked rather than removed, so that the other words' offsets hold.
                const qsizetype from = runStart(kept.text, starts[i]);
                const qsizetype to = runEnd(kept.text, starts[i] + word.text.size());
                kept.text.replace(from, to - from, QString(to - from, QLatin1Char(' ')));
            }
        }
        if (kept.words.size() == line.words.size())
            whole.append(line);
        else if (!kept.words.isEmpty())
            whole.append({kept.text.simplified(), kept.box, kept.words});
    }
    return whole;
}

QList<ScreenOCR::Line> ScreenOCR::withSelection(QList<Line> lines, QPointF from, QPointF to,
                                                const QString& selected)
{
    const QString text = selected.simplified();
    if (text.isEmpty()) return lines;
    Line* line = lineAcross(lines, to);
    if (!line) {
        // The highlight hid the whole line: the selection stands alone where it was made, as
        // tall as the lines around it, so that the context still takes them.
        const double height = std::max(middleHeight(lines), kMinBandHeight);
        const QRectF box(to.x(), to.y() - height / 2, 0, height);
        lines.append({text, box, {{text, box}}});
        return lines;
    }
    // A drag that ended on another line covers this one from its start: only the end is sure.
    const bool oneLine =
        from.y() >= line->box.top() - kLineSlack && from.y() <= line->box.bottom() + kLineSlack;
    const double left = oneLine ? std::min(from.x(), to.x()) : to.x();
    const double right = oneLine ? std::max(from.x(), to.x()) : to.x();
    putInPlace(*line, left, right, text);
    return lines;
}

QString ScreenOCR::join(const QList<Line>& lines)
{
    QString text;
    for (const Line& line : lines) {
        if (text.endsWith(QLatin1Char('-')))
            text.chop(1);
        else if (!text.isEmpty())
            text += QLatin1Char(' ');
        text += line.text;
    }
    return text;
}

void ScreenOCR::sortInRegionOrder(QList<Line>& lines)
{
    sortInRows(lines, [](const Line& a, const Line& b) {
        return 0.5 * std::max(0.005, std::min(a.box.height(), b.box.height()));
    });
}

} // namespace glossivo
