#include "ProgramRun.h"

#include "app/OCRSelfTestMode.h"

#include <gtest/gtest.h>

using namespace glossivo;
using glossivo::testing::DataFolder;
using glossivo::testing::ProgramOutcome;

TEST(OCRMode, FindsEveryTargetWordInTheDrawnSample)
{
    const DataFolder folder;
    const ProgramOutcome outcome = runIn(folder, {"--selftest-ocr"});
    EXPECT_EQ(outcome.status, 0) << outcome.out.toStdString() << outcome.err.toStdString();
    const QStringList lines = outcome.out.split('\n');
    ASSERT_EQ(lines.size(), 4) << outcome.out.toStdString();
    EXPECT_EQ(lines[3], "");
    const QStringList words{"unpopular", "reluctant", "ngl"};
    for (int i = 0; i < 3; ++i) {
        const QString found = QStringLiteral("OK   指着 %1 → 识别为 %1；语境：").arg(words[i]);
        EXPECT_TRUE(lines[i].startsWith(found)) << lines[i].toStdString();
        EXPECT_TRUE(lines[i].contains(words[i] == "ngl" ? "ngl the new update" : words[i]))
            << lines[i].toStdString();
    }
    EXPECT_TRUE(folder.files().isEmpty());
}

TEST(OCRMode, TargetsLieInTheMiddleOfTheirWordsInLineOrder)
{
    const OCRSelfTestMode::Sample sample = OCRSelfTestMode::draw();
    EXPECT_EQ(sample.image.size(), QSize(1520, 400));
    ASSERT_EQ(sample.targets.size(), 3);
    const QStringList words{"unpopular", "reluctant", "ngl"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(sample.targets[i].word, words[i]);
        EXPECT_DOUBLE_EQ(sample.targets[i].point.y(), (150 - 50 * i + 12) / 200.0);
        EXPECT_GT(sample.targets[i].point.x(), 20 / 760.0);
        EXPECT_LT(sample.targets[i].point.x(), 1.0);
        // Ink under the target point: the word is really drawn there.
        const QPoint pixel(int(sample.targets[i].point.x() * 1520),
                           int((1.0 - sample.targets[i].point.y()) * 400));
        bool ink = false;
        for (int dy = -16; dy <= 16 && !ink; ++dy) {
            for (int dx = -24; dx <= 24 && !ink; ++dx)
                ink = qGray(sample.image.pixel(pixel + QPoint(dx, dy))) < 128;
        }
        EXPECT_TRUE(ink) << words[i].toStdString();
    }
}
