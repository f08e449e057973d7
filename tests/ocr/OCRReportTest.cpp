#include "selftest/OCRSelfTest.h"

#include <gtest/gtest.h>

using namespace glossivo;

namespace {

QString report(const std::optional<QList<ScreenOCR::Line>>& lines,
               const QList<SelfTest::OCRTarget>& targets, bool* passed = nullptr)
{
    QString text;
    QTextStream out(&text);
    const bool ok = SelfTest::reportOCR(lines, targets, out);
    if (passed) *passed = ok;
    out.flush();
    return text;
}

const ScreenOCR::Line kLine{
    "Unpopular 42",
    QRectF(0.0, 0.5, 0.5, 0.1),
    {{"Unpopular", QRectF(0.0, 0.5, 0.25, 0.1)}, {"42", QRectF(0.3, 0.5, 0.1, 0.1)}}};

TEST(OCRReport, ComparesInLowerCaseAndReportsEveryTarget)
{
    bool passed = false;
    EXPECT_EQ(report(QList{kLine},
                     {{"unpopular", {0.1, 0.55}}, {"ngl", {0.35, 0.55}}, {"mid", {0.9, 0.1}}},
                     &passed),
              "OK   指着 unpopular → 识别为 Unpopular；语境：Unpopular 42\n"
              "FAIL 指着 ngl → 识别为 nil；语境：\n"
              "FAIL 指着 mid → 识别为 nil；语境：\n");
    EXPECT_FALSE(passed);
    EXPECT_EQ(report(QList{kLine}, {{"unpopular", {0.1, 0.55}}}, &passed),
              "OK   指着 unpopular → 识别为 Unpopular；语境：Unpopular 42\n");
    EXPECT_TRUE(passed);
}

TEST(OCRReport, APictureThatCouldNotBeReadFailsOnce)
{
    bool passed = true;
    EXPECT_EQ(report(std::nullopt, {{"ngl", {0.1, 0.1}}}, &passed), "FAIL: 无法识别图片\n");
    EXPECT_FALSE(passed);
}

TEST(OCRReport, TheSampleHoldsEachTargetOnceAndLineOneIsAFortySixCharacterTitle)
{
    const QStringList lines = SelfTest::ocrSampleLines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0].size(), 46);
    EXPECT_EQ(lines[1], "I was reluctant to post this, but here we go.");
    EXPECT_EQ(lines[2], "ngl the new update is kinda mid tbh.");
    for (const QString& line : lines) {
        int held = 0;
        for (const QString& word : SelfTest::ocrTargetWords())
            held += int(line.count(word));
        EXPECT_EQ(held, 1) << line.toStdString();
    }
}

} // namespace
