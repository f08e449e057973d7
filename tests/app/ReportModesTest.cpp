#include "ProgramRun.h"

#include "support/DataFolder.h"

#include <gtest/gtest.h>

using glossivo::testing::DataFolder;
using glossivo::testing::ProgramOutcome;
using glossivo::testing::ProgramRun;

// Worked out by hand from the FSRS-5 formulas at retention 0.9: a first good answer waits
// exactly its stability, an answer 11 days late after a lapse is a lapse, the again that
// follows is due in ten minutes (0.0 days) and the review after it falls on the same day.
TEST(ReportModes, FsrsPrintsTheIntervalsOfFourAnswerSequences)
{
    const DataFolder folder;
    const ProgramOutcome outcome = runIn(folder, {"--selftest-fsrs"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(
        outcome.out + outcome.err,
        QStringLiteral("一直答对：good→3.2天(S=3.2,D=5.3,L1) good→11.1天(S=11.1,D=5.3,L2) "
                       "good→35.2天(S=35.2,D=5.3,L3) good→101.7天(S=101.7,D=5.3,L4) "
                       "good→271.3天(S=271.3,D=5.2,L5)\n"
                       "开头很简单：easy→15.7天(S=15.7,D=3.2,L1) easy→147.9天(S=147.9,D=2.1,L3) "
                       "good→365.0天(S=512.1,D=2.1,L4)\n"
                       "中间忘了：good→3.2天(S=3.2,D=5.3,L1) good→11.1天(S=11.1,D=5.3,L2) "
                       "again→0.0天(S=2.2,D=6.8,L1) good→3.1天(S=3.1,D=6.8,L2) "
                       "good→8.9天(S=8.9,D=6.8,L3)\n"
                       "总是费劲：hard→1.2天(S=1.2,D=6.5,L1) hard→1.8天(S=1.8,D=7.0,L1) "
                       "hard→2.6天(S=2.6,D=7.5,L1) hard→3.5天(S=3.5,D=7.9,L1)\n"));
    EXPECT_TRUE(folder.files().isEmpty());
}

// Up to five characters one blank, more two; a word without chunks falls back in words.
TEST(ReportModes, SpellingPrintsSyllablesAndBothPatternsOfEverySample)
{
    const DataFolder folder;
    const ProgramOutcome outcome = runIn(folder, {"--selftest-spelling"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(
        outcome.out + outcome.err,
        QStringLiteral("reluctant：音节 re·luc·tant | 补字母 rel_ct_nt | 按块 re · luc · ____\n"
                       "unbelievable：音节 un·be·lie·vable | 补字母 unbel_ev_ble | "
                       "按块 un · be · ____ · able\n"
                       "decision：音节 de·ci·sion | 补字母 dec_s_on | 按块 de · __ · sion\n"
                       "deprecate：音节 dep·re·cate | 补字母 depr_c_te | 按块 dep · re · ____\n"
                       "brightdesk：音节 brig·htdesk | 补字母 br_ghtd_sk | 按块 brig · ______\n"
                       "comment：音节 com·ment | 补字母 co_m_nt | 按块 com · ____\n"
                       "give up on：音节 gi·ve· up· on | 补字母 giv_ _p on | 按块 ____ · up · on\n"
                       "ngl：音节 ngl | 补字母 ng_ | 按块 （分不了，退回补字母）\n"));
    EXPECT_TRUE(folder.files().isEmpty());
}

TEST(ReportModes, MergeReportsEveryRuleAndPasses)
{
    const DataFolder folder;
    const ProgramOutcome outcome = runIn(folder, {"--selftest-merge"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out + outcome.err,
              QStringLiteral("词：cat, Apple, run\n"
                             "run 例句：I run every day. | She runs a shop.\n"
                             "run 复习：3 次，稳定度 8（用后复习的手机那边）\n"
                             "run 阶段：在学（电脑后改的）\n"
                             "run 拼写等级：2，查过 4 次\n"
                             "run 遇到的日子：2026-10-01, 2026-10-05, 2026-10-06；"
                             "来源：forum.example.net, docs.example.org\n"
                             "apple 两台设备各存了一次：留下 B2，例句 2 条，想学 是\n"
                             "语法：1 条（同一句只留一条）；删除记录 2 条\n"
                             "日志：3 行；今天复习 5，新词 4\n"
                             "复习设置：名额 40，每天新词 5，每轮 10 题（用手机上后改的）\n"
                             "只有一边改过设置：用改过的那边（名额 50）\n"
                             "在学多出 2 个时放回：gamma, beta\n"
                             "先合谁都一样：是；再合一次不变：是\n"
                             "OK 合并规则正常\n"));
    EXPECT_TRUE(folder.files().isEmpty());
}

// The word to add is whatever follows the flag, even another option; without a key the lookup
// fails on its own line, and a word that was not added ends the process with 1.
TEST(ReportModes, AddSpellingTakesTheNextArgumentWhateverItIs)
{
    const DataFolder folder;
    const ProgramOutcome outcome = runIn(folder, {"--selftest-merge", "--add-spelling", "--x|y"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out + outcome.err,
              QStringLiteral("「--x」出错：还没有填 DeepSeek API key，请在设置里填写。\n"
                             "「y」出错：还没有填 DeepSeek API key，请在设置里填写。\n"));
    EXPECT_TRUE(folder.files().isEmpty());
}
