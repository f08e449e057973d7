#include "input/HighlightBlocks.h"

#include "input/TextRows.h"

#include <QList>

#include <algorithm>
#include <array>
#include <cstdlib>

namespace glossivo::HighlightBlocks {

namespace {

constexpr int kEvenness = 16;    // grey levels the ground of a block may vary by
constexpr double kMinRun = 6;    // pixels at 96 dpi: the top row of a block of one small letter
constexpr double kMinHeight = 8; // pixels at 96 dpi: a block lower than a line is a stroke
// Of a row of the block: text covers less than this, where the bars of a letter's top or
// bottom fill the row between its stems.
constexpr double kBlockRow = 0.3;
constexpr double kBlockColumn = 0.5;
constexpr double kRowGap = 2; // pixels at 96 dpi: rows of a block its text may fill
// Of a block's sides, the share its ground holds: a highlight is a rectangle around its text,
// where the bar and stem of a letter (a t's, an f's) leave the page on either side of the stem.
constexpr double kSolidSide = 0.6;
constexpr double kSolidGround = 0.5; // of the whole block
// A text caret standing at a block's side (Tk draws it at the selection's start in the text's
// colour): a bar at most this many pixels wide at 96 dpi, over this share of the block's rows,
// where no letter beside a block reaches from its top to its bottom.
constexpr double kCaretWidth = 3;
constexpr double kCaretRows = 0.9;

struct Block {
    int left = 0;  // first column
    int right = 0; // last column
    int top = 0;
    int bottom = 0;
    int grey = 0;
};

uchar* pixel(GrayImage& image, int x, int y)
{
    return reinterpret_cast<uchar*>(image.pixels.data()) + qsizetype(y) * image.width + x;
}

bool near(int level, int grey)
{
    return std::abs(level - grey) <= kEvenness;
}

int pageGround(const GrayImage& image)
{
    std::array<int, 256> counts{};
    for (const char level : image.pixels)
        ++counts[uchar(level)];
    return int(std::max_element(counts.begin(), counts.end()) - counts.begin());
}

// A row of the block: its ground fills much of it, or one of its ends, where the text inside
// leaves a margin (small dark type may fill most of its rows).
bool blockRow(const GrayImage& image, const Block& block, int y)
{
    if (near(image.at(block.left, y), block.grey) || near(image.at(block.right, y), block.grey))
        return true;
    int count = 0;
    for (int x = block.left; x <= block.right; ++x)
        count += near(image.at(x, y), block.grey);
    return count >= kBlockRow * (block.right - block.left + 1);
}

// A block's column: its ground at the block's top or bottom row, or over half its height (a
// letter's stem may reach the top row, never both ends).
bool blockColumn(const GrayImage& image, const Block& block, int x)
{
    if (near(image.at(x, block.top), block.grey) || near(image.at(x, block.bottom), block.grey))
        return true;
    int count = 0;
    for (int y = block.top; y <= block.bottom; ++y)
        count += near(image.at(x, y), block.grey);
    return count >= kBlockColumn * (block.bottom - block.top + 1);
}

double groundShare(const GrayImage& image, const Block& block, int left, int right, int top,
                   int bottom);

// The block whose top row holds the run, grown down over the rows its ground still fills, its
// sides moved to the columns its ground fills (a blended edge or a letter may end the run).
Block grown(const GrayImage& image, Block block, int minWidth)
{
    // A row of letters may fill a small block from end to end; the rows below go on with it.
    const int reach = std::max(1, int(kRowGap * image.scale));
    for (int next = block.bottom + 1; next < image.height && next <= block.bottom + reach; ++next)
        if (blockRow(image, block, next)) block.bottom = next;
    const auto side = [&](int x) {
        return groundShare(image, block, x, x, block.top, block.bottom) >= kSolidSide;
    };
    while (block.right - block.left + 1 > minWidth && !side(block.left))
        ++block.left;
    while (block.right - block.left + 1 > minWidth && !side(block.right))
        --block.right;
    while (block.left > 0 && blockColumn(image, block, block.left - 1))
        --block.left;
    while (block.right + 1 < image.width && blockColumn(image, block, block.right + 1))
        ++block.right;
    // A caret beside the block reaches its top or bottom row where it stops a row short of it,
    // and is no side of it.
    while (block.right - block.left + 1 > minWidth && !side(block.left))
        ++block.left;
    while (block.right - block.left + 1 > minWidth && !side(block.right))
        --block.right;
    return block;
}

// The block's ground becomes the page's and its text ink as far from the page as the text
// stood from the block, edges blended as they were; the block's blended rim goes.
void repaint(GrayImage& image, const Block& block, int ground)
{
    int farthest = 0;
    for (int y = block.top; y <= block.bottom; ++y)
        for (int x = block.left; x <= block.right; ++x)
            farthest = std::max(farthest, std::abs(image.at(x, y) - block.grey));
    const int ink = ground >= 128 ? 0 : 255;
    for (int y = block.top; y <= block.bottom; ++y)
        for (int x = block.left; x <= block.right; ++x) {
            const double share = std::abs(image.at(x, y) - block.grey) / double(farthest);
            *pixel(image, x, y) = uchar(ground + (ink - ground) * std::min(share, 1.0));
        }
    const int low = std::min(ground, block.grey) - kEvenness / 2;
    const int high = std::max(ground, block.grey) + kEvenness / 2;
    const auto clean = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= image.width || y >= image.height) return;
        uchar* at = pixel(image, x, y);
        if (*at >= low && *at <= high) *at = uchar(ground);
    };
    for (int y = block.top - 1; y <= block.bottom + 1; ++y) {
        clean(block.left - 1, y);
        clean(block.right + 1, y);
    }
    for (int x = block.left; x <= block.right; ++x) {
        clean(x, block.top - 1);
        clean(x, block.bottom + 1);
    }
}

// Whether the column holds ink on all but a few of the block's rows.
bool barColumn(const GrayImage& image, const Block& block, int x, int ground)
{
    int count = 0;
    for (int y = block.top; y <= block.bottom; ++y)
        count += std::abs(image.at(x, y) - ground) > TextRows::kInkContrast;
    return count >= kCaretRows * (block.bottom - block.top + 1);
}

// A caret flush against the block's side (`step` -1 the left, 1 the right) goes with the block: the
// recogniser takes the bar for a letter of the word beside it and drops the word, which then
// no selection puts back when the pointer rests on another line.
void removeCaret(GrayImage& image, const Block& block, int ground, int step)
{
    const int widest = std::max(1, int(kCaretWidth * image.scale));
    const int start = step < 0 ? block.left - 1 : block.right + 1;
    int x = start;
    while (x >= 0 && x < image.width && std::abs(x - start) < widest &&
           barColumn(image, block, x, ground))
        x += step;
    // The bar ends where the page comes back beside it; a bar wider than a caret is no caret.
    if (x == start || x < 0 || x >= image.width || barColumn(image, block, x, ground)) return;
    for (int column = start; column != x; column += step)
        for (int y = block.top; y <= block.bottom; ++y)
            *pixel(image, column, y) = uchar(ground);
}

// The share of the pixels in the rows and columns given that are the block's ground.
double groundShare(const GrayImage& image, const Block& block, int left, int right, int top,
                   int bottom)
{
    int count = 0;
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            count += near(image.at(x, y), block.grey);
    return double(count) / ((right - left + 1) * (bottom - top + 1));
}

bool rectangular(const GrayImage& image, const Block& block)
{
    return groundShare(image, block, block.left, block.left, block.top, block.bottom) >=
               kSolidSide &&
           groundShare(image, block, block.right, block.right, block.top, block.bottom) >=
               kSolidSide &&
           groundShare(image, block, block.left, block.right, block.top, block.bottom) >=
               kSolidGround;
}

// The block is of the grey of the text beside it on its rows: a letter's bowl or bar (an a's, a
// t's) at a large size, or a terminal's reversed selection, which the lines' own turning reads.
bool inkOfItsLine(const GrayImage& image, const Block& block, int ground)
{
    std::array<int, 256> counts{};
    for (int y = block.top; y <= block.bottom; ++y)
        for (int x = 0; x < image.width; ++x) {
            const int level = image.at(x, y);
            if ((x < block.left || x > block.right) &&
                std::abs(level - ground) > TextRows::kInkContrast)
                ++counts[level];
        }
    const auto most = std::max_element(counts.begin(), counts.end());
    return *most > 0 && near(int(most - counts.begin()), block.grey);
}

bool holdsText(const GrayImage& image, const Block& block)
{
    for (int y = block.top; y <= block.bottom; ++y)
        for (int x = block.left; x <= block.right; ++x)
            if (std::abs(image.at(x, y) - block.grey) > TextRows::kInkContrast) return true;
    return false;
}

} // namespace

void blendIn(GrayImage& image)
{
    if (image.isNull()) return;
    const int ground = pageGround(image);
    const int minRun = int(kMinRun * image.scale);
    const int minHeight = int(kMinHeight * image.scale);
    // A block repainted holds the page's ground and ink now, whose letters (an a's bowl and bar)
    // may look like a block of the ink's grey: it is not searched again.
    QList<Block> repainted;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width;) {
            const auto done = std::find_if(repainted.begin(), repainted.end(), [&](const Block& b) {
                return x >= b.left && x <= b.right && y >= b.top && y <= b.bottom;
            });
            if (done != repainted.end()) {
                x = done->right + 1;
                continue;
            }
            const int grey = image.at(x, y);
            int end = x + 1;
            while (end < image.width && near(image.at(end, y), grey))
                ++end;
            if (end - x >= minRun && std::abs(grey - ground) > TextRows::kInkContrast) {
                const Block block = grown(image, {x, end - 1, y, y, grey}, minRun);
                const int width = block.right - block.left + 1;
                const int height = block.bottom - block.top + 1;
                if (height >= minHeight && 2 * width >= height && rectangular(image, block) &&
                    holdsText(image, block) && !inkOfItsLine(image, block, ground)) {
                    repaint(image, block, ground);
                    removeCaret(image, block, ground, -1);
                    removeCaret(image, block, ground, 1);
                    repainted.append(block);
                    end = block.right + 1;
                }
            }
            x = end;
        }
    }
}

} // namespace glossivo::HighlightBlocks
