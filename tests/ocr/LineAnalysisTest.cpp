#include "input/GrayImage.h"
#include "input/ScreenOCR.h"

#include <gtest/gtest.h>

using namespace glossivo;
using Line = ScreenOCR::Line;
using Word = ScreenOCR::Word;

namespace {

// A line of words laid side by side, each `width` wide with `space` between them; boxes in
// normalized coordinates (origin bottom left).
Line line(const QString& text, double x, double y, double height, double width = 0.0625,
          double space = 0.0625)
{
    Line made{text, {}, {}};
    double left = x;
    for (const QString& word : text.split(' ')) {
        made.words.append({word, QRectF(left, y, width, height)});
        left += width + space;
    }
    made.box = QRectF(x, y, left - space - x, height);
    return made;
}

std::optional<QString> wordAt(const QList<Line>& lines, QPointF cursor)
{
    const auto result = ScreenOCR::analyze(lines, cursor, true);
    return result ? result->word : std::nullopt;
}

TEST(LineAnalysis, NoLinesGiveNothing)
{
    EXPECT_EQ(ScreenOCR::analyze({}, {0.5, 0.5}, true), std::nullopt);
    EXPECT_EQ(ScreenOCR::analyze({}, {0.5, 0.5}, false), std::nullopt);
}

struct CursorCase {
    const char* name;
    QPointF cursor;
    std::optional<QString> word;
};

// One line "alpha beta gamma" from x 0.25, words 0.0625 wide and 0.0625 apart, y 0.5 to 0.625.
class WordUnderCursor : public ::testing::TestWithParam<CursorCase> {};

TEST_P(WordUnderCursor, PicksTheNearestWordOfTheLineUnderTheCursor)
{
    const QList<Line> lines{line("alpha beta gamma", 0.25, 0.5, 0.125)};
    EXPECT_EQ(wordAt(lines, GetParam().cursor), GetParam().word);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, WordUnderCursor,
    ::testing::Values(CursorCase{"InsideAWord", {0.40625, 0.5625}, "beta"},
                      CursorCase{"OnTheLeftEdgeOfTheGrownLine", {0.24, 0.5625}, "alpha"},
                      CursorCase{"JustBelowTheGrownLine", {0.3, 0.4899}, std::nullopt},
                      CursorCase{"OnTheBottomEdgeOfTheGrownLine", {0.3, 0.49}, "alpha"},
                      CursorCase{"JustInsideTheTopOfTheGrownLine", {0.3, 0.6349}, "alpha"},
                      CursorCase{"OnTheTopEdgeOfTheGrownLine", {0.3, 0.635}, std::nullopt},
                      // The gap between words is 0.0625, so no word is within reach in its middle;
                      // near the words, the reach is just under 0.015.
                      CursorCase{"JustUnderTheReachOfAWord", {0.3125 + 0.0149, 0.5625}, "alpha"},
                      CursorCase{"AtTheReachOfAWord", {0.3125 + 0.015, 0.5625}, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LineAnalysis, MidwayBetweenTwoWordsTheEarlierWins)
{
    const QList<Line> lines{line("alpha beta", 0.25, 0.5, 0.125, 0.0625, 0.015625)};
    EXPECT_EQ(wordAt(lines, {0.3203125, 0.5625}), "alpha");
}

TEST(LineAnalysis, OverlappingLinesGoToTheEarlierOne)
{
    const QList<Line> lines{line("first", 0.0, 0.5, 0.0625), line("second", 0.0, 0.5625, 0.0625)};
    // Inside the second line's box, but within the first one's grown box.
    EXPECT_EQ(wordAt(lines, {0.03, 0.5664}), "first");
}

TEST(LineAnalysis, ALineWithoutWordsGivesNothing)
{
    Line empty = line("x", 0.25, 0.5, 0.125);
    empty.words.clear();
    EXPECT_EQ(ScreenOCR::analyze({empty}, {0.26, 0.55}, true), std::nullopt);
}

struct WordTextCase {
    QString text;
    bool accepted;
};

class WordNeedsAnAsciiLetter : public ::testing::TestWithParam<WordTextCase> {};

TEST_P(WordNeedsAnAsciiLetter, AndIsKeptExactlyAsRecognised)
{
    const Line only{GetParam().text,
                    QRectF(0.25, 0.5, 0.25, 0.125),
                    {{GetParam().text, QRectF(0.25, 0.5, 0.25, 0.125)}}};
    const auto result = ScreenOCR::analyze({only}, {0.3, 0.55}, true);
    if (GetParam().accepted) {
        ASSERT_TRUE(result);
        EXPECT_EQ(result->word, GetParam().text);
        EXPECT_EQ(result->wordRect, QRectF(0.25, 0.5, 0.25, 0.125));
    } else {
        EXPECT_EQ(result, std::nullopt);
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, WordNeedsAnAsciiLetter,
                         ::testing::Values(WordTextCase{"2024", false}, WordTextCase{"...", false},
                                           WordTextCase{"東京", false}, WordTextCase{"ÉÀÜ", false},
                                           WordTextCase{"well-known", true},
                                           WordTextCase{"café", true}, WordTextCase{"4x4", true}));

TEST(LineAnalysis, WithoutFindWordTheVerticallyNearestLineGivesTheContext)
{
    const QList<Line> lines{line("bottom line", 0.0, 0.25, 0.0625),
                            line("top line", 0.0, 0.375, 0.0625)};
    const auto above = ScreenOCR::analyze(lines, {0.1, 0.9}, false);
    ASSERT_TRUE(above);
    EXPECT_EQ(above->word, std::nullopt);
    EXPECT_EQ(above->wordRect, std::nullopt);
    EXPECT_EQ(above->context, "top line bottom line");
}

TEST(LineAnalysis, EqualVerticalGapsAreDecidedByTheHorizontalGap)
{
    // Two columns far apart, both at the same height: only the chosen one is in the context.
    const QList<Line> lines{line("left column", 0.0, 0.5, 0.0625),
                            line("right column", 0.75, 0.5, 0.0625)};
    const auto result = ScreenOCR::analyze(lines, {0.8, 0.25}, false);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->context, "right column");
}

TEST(LineAnalysis, TheContextBandReachesThreeAndAHalfLineHeights)
{
    // Chosen line height 0.125: lines whose middle lies 0.4375 away are in, further ones out.
    const QList<Line> lines{line("chosen", 0.0, 0.4375, 0.125), line("in", 0.0, 0.875, 0.125),
                            line("out", 0.0, 0.0, 0.0625)};
    const auto result = ScreenOCR::analyze(lines, {0.01, 0.5}, true);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->context, "in chosen");
}

TEST(LineAnalysis, AThinLineStillGathersLinesWithinSevenHundredths)
{
    const QList<Line> lines{line("thin", 0.0, 0.5, 0.0078125), line("near", 0.0, 0.5625, 0.0078125),
                            line("far", 0.0, 0.625, 0.0078125)};
    const auto result = ScreenOCR::analyze(lines, {0.01, 0.503}, true);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->context, "near thin");
}

TEST(LineAnalysis, AColumnBesideTheChosenLineStaysOutOfTheContext)
{
    // The chosen line ends at 0.1875; a column starting 0.0625 further right is out, one
    // touching the widened box (0.05 further) is in.
    const QList<Line> lines{line("reading here", 0.0, 0.5, 0.0625, 0.0625, 0.0625),
                            line("beside", 0.25, 0.5625, 0.0625),
                            line("touching", 0.1875 + 0.0625, 0.4375, 0.0625)};
    Line touching = lines[2];
    touching.box.moveLeft(0.2375);
    const auto apart = ScreenOCR::analyze(lines, {0.01, 0.52}, true);
    ASSERT_TRUE(apart);
    EXPECT_EQ(apart->context, "reading here");
    const auto touched = ScreenOCR::analyze({lines[0], touching}, {0.01, 0.52}, true);
    ASSERT_TRUE(touched);
    EXPECT_EQ(touched->context, "reading here touching");
}

TEST(LineAnalysis, LinesWithinTheToleranceAreReadLeftToRight)
{
    // h = 0.125, tolerance 0.0625: the right line sits exactly that much higher and still
    // comes after the left one; a line further up comes first.
    const QList<Line> lines{line("right", 0.1, 0.5625, 0.125), line("left", 0.0, 0.5, 0.125),
                            line("above", 0.0, 0.75, 0.125)};
    const auto result = ScreenOCR::analyze(lines, {0.01, 0.55}, true);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->word, "left");
    EXPECT_EQ(result->context, "above left right");
}

struct JoinCase {
    QStringList lines;
    QString joined;
};

class JoinsLines : public ::testing::TestWithParam<JoinCase> {};

TEST_P(JoinsLines, WithSpacesOrAcrossAHyphen)
{
    QList<Line> lines;
    for (const QString& text : GetParam().lines)
        lines.append({text, {}, {}});
    EXPECT_EQ(ScreenOCR::join(lines), GetParam().joined);
}

INSTANTIATE_TEST_SUITE_P(Cases, JoinsLines,
                         ::testing::Values(JoinCase{{}, ""}, JoinCase{{"one"}, "one"},
                                           JoinCase{{"exam-", "ple"}, "example"},
                                           JoinCase{{"well-", "known"}, "wellknown"},
                                           JoinCase{{"a  b ", " c"}, "a  b   c"},
                                           JoinCase{{"--", "x"}, "-x"},
                                           JoinCase{{"first", "", "third"}, "first  third"}));

TEST(RegionOrder, ReadsRowsFromTheTopAndColumnsRowByRow)
{
    // Two columns side by side, two rows each, recognised column by column.
    QList<Line> lines{line("L1", 0.0, 0.75, 0.0625), line("L2", 0.0, 0.5, 0.0625),
                      line("R1", 0.5, 0.76, 0.0625), line("R2", 0.5, 0.51, 0.0625)};
    ScreenOCR::sortInRegionOrder(lines);
    EXPECT_EQ(ScreenOCR::join(lines), "L1 R1 L2 R2");
}

TEST(RegionOrder, KeepsRecognitionOrderForLinesThatCompareEqual)
{
    QList<Line> lines{line("first", 0.0, 0.5, 0.0625), line("second", 0.0, 0.5, 0.0625)};
    ScreenOCR::sortInRegionOrder(lines);
    EXPECT_EQ(ScreenOCR::join(lines), "first second");
}

TEST(RegionOrder, ANonTransitiveChainStaysWithinTheList)
{
    // Each line is within the tolerance of its neighbours but not of lines two steps away:
    // the order is not transitive, and sorting must neither lose nor invent a line.
    QList<Line> lines;
    for (int i = 0; i < 40; ++i)
        lines.append(line(QString::number(i), (i * 7 % 40) / 40.0, 0.5 + i * 0.002, 0.005));
    ScreenOCR::sortInRegionOrder(lines);
    ASSERT_EQ(lines.size(), 40);
    QStringList seen;
    for (const Line& l : lines)
        seen.append(l.text);
    seen.sort();
    QStringList all;
    for (int i = 0; i < 40; ++i)
        all.append(QString::number(i));
    all.sort();
    EXPECT_EQ(seen, all);
}

// A line drawn as the recogniser boxes it, in pixels of an 800 x 200 picture: words 40 wide and
// 10 apart, each inked as a solid block, and the sliver a cut letter left. A word "#" is inked
// but left out by the recogniser; a word "_" too, its highlight showing no ink.
struct WholeWordsCase {
    const char* name;
    QString text;
    int left;
    int top;
    int height;
    Qt::Edges cuts;
    QString kept; // empty: the line goes
    QRect sliver = {};
    int boxReach = 0; // pixels the last word's box reaches past its ink
    int beyond = 0;   // columns at the left beyond the part that was read
};

class WholeWords : public ::testing::TestWithParam<WholeWordsCase> {};

TEST_P(WholeWords, DropPiecesCutByTheStripsEdges)
{
    const WholeWordsCase& c = GetParam();
    constexpr int kWidth = 800, kHeight = 200;
    GrayImage picture{kWidth, kHeight, QByteArray(kWidth * kHeight, char(255))};
    const auto ink = [&](const QRect& rect) {
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            picture.pixels.replace(y * kWidth + rect.left(), rect.width(),
                                   QByteArray(rect.width(), 0));
    };
    const auto normalized = [&](const QRect& rect) {
        const double read = kWidth - c.beyond;
        return QRectF((rect.left() - c.beyond) / read, 1.0 - double(rect.bottom() + 1) / kHeight,
                      rect.width() / read, double(rect.height()) / kHeight);
    };
    Line made{QString(c.text).replace(" # ", " ").replace(" _ ", " "), {}, {}};
    int x = c.left;
    for (const QString& word : c.text.split(u' ')) {
        const QRect box(x, c.top, 40, c.height);
        if (word != u"_") ink(box);
        if (word != u"#" && word != u"_") made.words.append({word, normalized(box)});
        x += 50;
    }
    made.words.back().box.setRight(made.words.back().box.right() + double(c.boxReach) / kWidth);
    ink(c.sliver);
    for (const Word& word : made.words)
        made.box |= word.box;
    // A whole line of full height beside it, as every strip has.
    const QRect reference(300, 90, 40, 20);
    ink(reference);
    const Line whole{"He", normalized(reference), {{"He", normalized(reference)}}};

    const QList<Line> kept = ScreenOCR::wholeWords({made, whole}, picture, c.cuts, {c.beyond, 0});
    ASSERT_FALSE(kept.isEmpty());
    EXPECT_EQ(kept.back(), whole);
    EXPECT_EQ(kept.size() == 2 ? kept[0].text : QString(), c.kept);
}

const Qt::Edges kAllCuts = Qt::LeftEdge | Qt::RightEdge | Qt::TopEdge | Qt::BottomEdge;

INSTANTIATE_TEST_SUITE_P(
    Cases, WholeWords,
    ::testing::Values(
        WholeWordsCase{"LeftPieceWithItsApostrophe", "'tant to post", 0, 40, 20, kAllCuts,
                       "to post"},
        WholeWordsCase{"RightPiece", "the old bri", 660, 40, 20, kAllCuts, "the old"},
        WholeWordsCase{"RightPieceOnlyTheRightCuts", "the old bri", 660, 40, 20, Qt::RightEdge,
                       "the old"},
        WholeWordsCase{"RightWordOnTheScreensEdge", "the old bri", 660, 40, 20, Qt::LeftEdge,
                       "the old bri"},
        // Its first letter fell away: a sliver of it at the edge, a letter's gap from the rest.
        WholeWordsCase{"PieceShortOfTheEdge", "ugh the", 6, 40, 20, kAllCuts, "the",
                       QRect(0, 40, 4, 20)},
        WholeWordsCase{"WholeWordShortOfTheEdge", "ugh the", 6, 40, 20, kAllCuts, "ugh the"},
        WholeWordsCase{"AWordLeftOutIsNoSpace", "to the # sea", 10, 40, 20, kAllCuts, "to the sea"},
        // The box of "say" takes in the space and the sliver of the next word's letter.
        WholeWordsCase{"BoxOverTheSpace", "to say", 700, 40, 20, kAllCuts, "to say",
                       QRect(798, 40, 2, 20), 10},
        WholeWordsCase{"LineCutAtTheTop", "o ine", 200, 0, 10, kAllCuts, ""},
        WholeWordsCase{"LineLosingTheTipsOfItsLetters", "o ine", 200, 0, 18, kAllCuts, ""},
        // The space is the blank beside the word left out, not the gap between the boxes.
        WholeWordsCase{"WholeWordASpaceFromASliver", "com # its", 14, 40, 20, kAllCuts, "com its",
                       QRect(0, 40, 4, 20)},
        // The blank of a highlight is wider than any space: the space is capped below it, and
        // of two middle blanks the narrower is taken.
        WholeWordsCase{"HighlightsBlankIsNoSpace", "ugh _ the", 24, 40, 20, kAllCuts, "ugh the",
                       QRect(0, 40, 4, 20)},
        WholeWordsCase{"NarrowerMiddleBlankIsTheSpace", "ugh the _ sea", 16, 40, 20, kAllCuts,
                       "ugh the sea", QRect(0, 40, 4, 20)},
        // Three pixels from the side: a letter's gap or a part of a space alike, until the
        // columns beyond the side tell.
        WholeWordsCase{"PieceNearTheEdge", "ntil the", 3, 40, 20, kAllCuts, "the"},
        WholeWordsCase{
            "SpaceGoesOnBeyondTheSide", "until the", 15, 40, 20, kAllCuts, "until the", {}, 0, 12},
        WholeWordsCase{"LetterBeyondTheSide", "ntil the", 15, 40, 20, kAllCuts, "the",
                       QRect(8, 40, 3, 20), 0, 12},
        WholeWordsCase{"WholeLineOnTheTop", "o ine", 200, 0, 20, kAllCuts, "o ine"},
        WholeWordsCase{"ScreenEdgeCutsNothing", "Lorem ipsum", 0, 40, 20,
                       Qt::RightEdge | Qt::TopEdge, "Lorem ipsum"}),
    [](const auto& info) { return std::string(info.param.name); });

Line withText(Line made, const QString& text)
{
    made.text = text;
    return made;
}

struct SelectionCase {
    const char* name;
    Line line;
    QPointF from;
    QPointF to;
    QString context;
};

class SelectionInPlace : public ::testing::TestWithParam<SelectionCase> {};

TEST_P(SelectionInPlace, TheSelectedTextStandsWhereItWasSelected)
{
    const QList<Line> lines =
        ScreenOCR::withSelection({GetParam().line, line("next line", 0.1, 0.3, 0.1)},
                                 GetParam().from, GetParam().to, QStringLiteral("ran\nfast"));
    const auto result = ScreenOCR::analyze(lines, GetParam().to, false);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->context, GetParam().context);
}

// Words 0.0625 wide, 0.0625 apart from x 0.1: the second word spans 0.225 to 0.2875.
INSTANTIATE_TEST_SUITE_P(
    Cases, SelectionInPlace,
    ::testing::Values(SelectionCase{"HiddenByTheHighlight",
                                    withText(line("He to the", 0.1, 0.5, 0.1, 0.0625, 0.1875),
                                             "He | to the"),
                                    {0.25, 0.55},
                                    {0.25, 0.55},
                                    "He ran fast to the next line"},
                      SelectionCase{"MisreadUnderThePointer",
                                    line("He rau to", 0.1, 0.5, 0.1),
                                    {0.25, 0.55},
                                    {0.25, 0.55},
                                    "He ran fast to next line"},
                      SelectionCase{"CaretAndHighlightEdgesBesideIt",
                                    withText(line("He [ rau to", 0.1, 0.5, 0.1), "He [ rau] to"),
                                    {0.38, 0.55},
                                    {0.38, 0.55},
                                    "He ran fast to next line"},
                      SelectionCase{"DraggedOverTwoWords",
                                    line("He x y to.", 0.1, 0.5, 0.1),
                                    {0.23, 0.55},
                                    {0.4, 0.55},
                                    "He ran fast to. next line"},
                      SelectionCase{"AtTheEndOfTheLine",
                                    withText(line("He went", 0.1, 0.5, 0.1), "He went |."),
                                    {0.5, 0.55},
                                    {0.5, 0.55},
                                    "He went ran fast. next line"},
                      // Alone, it still takes the lines around it.
                      SelectionCase{"TheWholeLineHidden",
                                    line("far away", 0.1, 0.9, 0.1),
                                    {0.2, 0.55},
                                    {0.2, 0.55},
                                    "ran fast next line"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
