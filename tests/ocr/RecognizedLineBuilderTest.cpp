#include "input/RecognizedLineBuilder.h"
#include "input/OwnWindowMask.h"

#include <gtest/gtest.h>

using namespace glossivo;
using namespace glossivo::RecognizedLineBuilder;

namespace {

// A token whose glyphs are 10 pixels wide each, starting at x.
Token token(const QString& text, int x, double confidence = 90)
{
    Token made{text, confidence, QRect(x, 0, 10 * int(text.size()), 20), {}};
    for (int i = 0; i < text.size(); ++i)
        made.glyphs.append({text.mid(i, 1), QRect(x + 10 * i, 0, 10, 20)});
    return made;
}

struct BarCase {
    QString read;
    QString repaired;
};

class RepairsBars : public ::testing::TestWithParam<BarCase> {};

TEST_P(RepairsBars, ThatStandForAnL)
{
    EXPECT_EQ(repairBars(GetParam().read), GetParam().repaired);
}

INSTANTIATE_TEST_SUITE_P(Cases, RepairsBars,
                         ::testing::Values(BarCase{"he||o", "hello"}, BarCase{"|ater", "later"},
                                           BarCase{"a | b", "a | b"}, BarCase{"|A", "|A"},
                                           BarCase{"A|", "Al"}, BarCase{"1|2", "1|2"},
                                           BarCase{"é|", "é|"}, BarCase{"| was", "I was"},
                                           BarCase{"so |'m", "so I'm"},
                                           BarCase{"Home | About", "Home | About"}));

TEST(RecognizedLineBuilder, SplitsTokensIntoWordsWithTheirOwnBoxes)
{
    const QList<ScreenOCR::Line> lines =
        build({{token("well-known,", 0), token("(see", 120)}}, QSize(200, 100));
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0].text, "well-known, (see");
    ASSERT_EQ(lines[0].words.size(), 3);
    EXPECT_EQ(lines[0].words[0], (ScreenOCR::Word{"well", QRectF(0, 0.8, 0.2, 0.2)}));
    EXPECT_EQ(lines[0].words[1], (ScreenOCR::Word{"known", QRectF(0.25, 0.8, 0.25, 0.2)}));
    EXPECT_EQ(lines[0].words[2], (ScreenOCR::Word{"see", QRectF(0.65, 0.8, 0.15, 0.2)}));
    EXPECT_EQ(lines[0].box, QRectF(0, 0.8, 0.8, 0.2));
}

TEST(RecognizedLineBuilder, RepairedBarsJoinTheirWord)
{
    const auto lines = build({{token("he||o", 0)}}, QSize(100, 100));
    ASSERT_EQ(lines.size(), 1);
    ASSERT_EQ(lines[0].words.size(), 1);
    EXPECT_EQ(lines[0].words[0].text, "hello");
}

TEST(RecognizedLineBuilder, DropsUnsureTokensAndLinesLeftEmpty)
{
    const auto lines = build(
        {{token("EMIS", 0, 31), token("reading", 50)}, {token("eee", 0, 19.6)}, {token("   ", 0)}},
        QSize(200, 100));
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0].text, "reading");
    EXPECT_EQ(lines[0].box, QRectF(0.25, 0.8, 0.35, 0.2));
    EXPECT_EQ(build({{token("edge", 0, kMinConfidence)}}, QSize(100, 100)).size(), 1);
}

TEST(RecognizedLineBuilder, GlyphsThatDoNotSpellTheTokenGiveItsWordsTheTokenBox)
{
    Token ligature = token("office", 0);
    ligature.glyphs = {{"o", QRect(0, 0, 10, 20)}, {"ﬃ", QRect(10, 0, 20, 20)}};
    const auto lines = build({{ligature}}, QSize(100, 100));
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0].words, (QList<ScreenOCR::Word>{{"office", QRectF(0, 0.8, 0.6, 0.2)}}));
}

TEST(OwnWindowMask, PaintsOurWindowsWithTheBackground)
{
    GrayImage image{6, 4, QByteArray(24, char(240))};
    image.pixels[0] = char(10);        // a dark speck outside
    image.pixels[2 * 6 + 3] = char(0); // text under our window
    OwnWindowMask::paintOver(image, {QRect(2, 1, 3, 2), QRect(5, 3, 9, 9), QRect(-9, -9, 2, 2)});
    EXPECT_EQ(image.at(3, 2), 240);
    EXPECT_EQ(image.at(0, 0), 10);
    EXPECT_EQ(image.at(5, 3), 240);
}

} // namespace
