#include "input/ScreenOCR.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace glossivo {

namespace {

constexpr double kLineSlack = 0.01;     // a line catches the cursor this far around its box
constexpr double kWordReach = 0.015;    // the nearest word must lie closer than this
constexpr double kMinBandHeight = 0.02; // a thin line still gathers a useful band
constexpr double kBandLines = 3.5;      // line heights above and below the chosen line
constexpr double kBandWidening = 0.05;  // columns further to the side stay out of the context

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
