#include "selftest/SelfTest.h"
#include "sync/SyncMerge.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace glossivo;

namespace {

struct Report {
    bool passed = false;
    QStringList lines;
};

Report reportOf(const SelfTest::Merge& merge)
{
    QString text;
    QTextStream out(&text);
    Report report;
    report.passed = SelfTest::checkMerge(merge, out);
    out.flush();
    report.lines = text.split(QLatin1Char('\n'));
    EXPECT_EQ(report.lines.takeLast(), QString()); // every line ends with a line break
    return report;
}

// The real merge with one fault added to its result.
SelfTest::Merge
faulty(std::function<void(SyncBundle& merged, const SyncBundle& a, const SyncBundle& b)> fault)
{
    return [fault](const SyncBundle& a, const SyncBundle& b) {
        SyncBundle merged = SyncMerge::merge(a, b);
        fault(merged, a, b);
        return merged;
    };
}

WordEntry* named(SyncBundle& bundle, const QString& headword)
{
    for (WordEntry& entry : bundle.words)
        if (entry.headword == headword) return &entry;
    return nullptr;
}

// Lines whose text differs from the passing report, by line number from 1.
QList<int> changedLines(const Report& report)
{
    const QStringList expected = reportOf(SyncMerge::merge).lines;
    EXPECT_EQ(report.lines.size(), expected.size());
    QList<int> changed;
    for (qsizetype i = 0; i < std::min(report.lines.size(), expected.size()); ++i)
        if (report.lines[i] != expected[i]) changed.append(int(i + 1));
    return changed;
}

} // namespace

TEST(MergeReport, AStageFromTheEarlierChangeShowsOnItsLineAndFails)
{
    const Report report =
        reportOf(faulty([](SyncBundle& merged, const SyncBundle&, const SyncBundle&) {
            if (WordEntry* run = named(merged, "run")) run->stage = Stage::resting;
        }));
    EXPECT_FALSE(report.passed);
    EXPECT_EQ(report.lines[3], "run 阶段：不对（电脑后改的）");
    EXPECT_EQ(changedLines(report), (QList<int>{4, 14}));
    EXPECT_EQ(report.lines.last(), "FAIL 合并规则不对");
}

TEST(MergeReport, AWordKeptTwiceUnderOneHeadwordFails)
{
    const Report report =
        reportOf(faulty([](SyncBundle& merged, const SyncBundle& a, const SyncBundle&) {
            for (const WordEntry& entry : a.words)
                if (entry.headword == "apple") merged.words.append(entry);
        }));
    EXPECT_FALSE(report.passed);
    EXPECT_EQ(report.lines[0], "词：cat, Apple, run, apple");
    EXPECT_EQ(report.lines.last(), "FAIL 合并规则不对");
}

// Every field line looks right, yet devices merging in different orders would disagree.
TEST(MergeReport, AResultThatDependsOnTheArgumentOrderFails)
{
    const Report report =
        reportOf(faulty([](SyncBundle& merged, const SyncBundle& a, const SyncBundle&) {
            // The first document's log lines first, as a naive union would leave them.
            QStringList log = a.log;
            for (const QString& line : merged.log)
                if (!log.contains(line)) log.append(line);
            merged.log = log;
        }));
    EXPECT_FALSE(report.passed);
    EXPECT_EQ(changedLines(report), (QList<int>{13, 14}));
    EXPECT_EQ(report.lines[12], "先合谁都一样：否；再合一次不变：是");
}

TEST(MergeReport, AMergeThatLosesTheWordsStillPrintsEveryLine)
{
    const Report report = reportOf(faulty(
        [](SyncBundle& merged, const SyncBundle&, const SyncBundle&) { merged.words.clear(); }));
    EXPECT_FALSE(report.passed);
    ASSERT_EQ(report.lines.size(), 14);
    EXPECT_EQ(report.lines.mid(0, 7),
              (QStringList{"词：", "run 例句：", "run 复习：0 次，稳定度 0（用后复习的手机那边）",
                           "run 阶段：不对（电脑后改的）", "run 拼写等级：0，查过 0 次",
                           "run 遇到的日子：；来源：",
                           "apple 两台设备各存了一次：留下 ，例句 0 条，想学 否"}));
    EXPECT_EQ(report.lines.last(), "FAIL 合并规则不对");
}
