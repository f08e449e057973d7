#include "CoachFixture.h"

#include "model/Graphemes.h"

#include <QJsonArray>

using namespace glossivo;
using glossivo::testing::CoachFixture;

namespace {

class CoachFactsTest : public CoachFixture {
protected:
    // A word book and two weeks of a learning log that touch every block of the record.
    void openFullBook()
    {
        WordEntry necessary = word("necessary", "必要的");
        necessary.pos = "adj.";
        necessary.createdAt = local(5, 20);
        Example met = example("Sleep is necessary for focus.");
        met.sourceURL = "https://www.reddit.com/r/ADHD/comments/1";
        met.sourceTitle = "Thread";
        necessary.examples = {example("It is necessary.", true), met};
        necessary.stage = Stage::learning;
        necessary.review = review(3, 2, 4.2, clock.now().addDays(-1));
        necessary.spellLevel = 2;
        necessary.sourceKeys = QStringList{"reddit.com"};
        necessary.mnemonic = "need + ess\n想成 need";

        WordEntry ngl = word("ngl", "说实话");
        ngl.pos = "abbr.";
        ngl.register_ = Register::slang;
        ngl.createdAt = local(6, 9, 15);
        Example generated = example("ngl it was good.", true);
        generated.sourceApp = "Discord";
        ngl.examples = {generated};
        ngl.stage = Stage::learning;
        ngl.sourceKeys = QStringList{"Discord"};

        WordEntry deprecated = word("deprecated", "已弃用的");
        deprecated.register_ = Register::technical;
        deprecated.stage = Stage::mastered;
        deprecated.review = review(8, 0, 40, clock.now().addDays(30));
        deprecated.spellPractice = true;
        deprecated.sourceKeys = QStringList{"docs.python.org", "常拼"};

        WordEntry ferry = word("ferry", "渡轮");
        ferry.createdAt = clock.now().addDays(-40);
        ferry.lastLookupAt = ferry.createdAt;
        ferry.sourceKeys = QStringList{"Reddit.com"};

        WordEntry zoo = word("Zoo", "动物园");
        zoo.stage = Stage::resting;

        WordEntry apple = word("apple", "苹果");
        apple.createdAt = clock.now().addSecs(-7 * 86400); // exactly on the bound
        apple.lastLookupAt = apple.createdAt;

        config.leechThreshold = 2;
        openBook({necessary, ngl, deprecated, ferry, zoo, apple});

        logEvent(local(1, 10, 0, 9), "save", "ferry");
        logEvent(local(23, 21, 30, 9), "lookup", "ferry"); // exactly fourteen days ago
        logEvent(local(1, 12), "join", "ferry");           // a day of other kinds only
        logEvent(local(5, 20), "save", "necessary");
        logEvent(local(5, 20, 5), "review", "necessary", "again");
        logEvent(local(5, 20, 10), "review", "ghost", "again");
        logEvent(local(5, 20, 15), "review", "ghost", "again");
        logLine("{\"time\": \"broken");
        logEvent(local(5, 23, 30), "review", "necessary", "again");
        logEvent(local(5, 23, 40), "spell", "necessary", "chunks again");
        logEvent(local(6, 9, 15), "save", "ngl");
        logEvent(local(6, 9, 20), "lookup", "necessary");
        logEvent(local(6, 14, 0), "review", "necessary", "good");
        logEvent(local(6, 14, 1), "review", "apple", "good");
        logEvent(local(6, 14, 2), "recall", "apple", "easy");
        logEvent(local(6, 14, 3), "spell", "necessary", "chunks good");
        logEvent(local(6, 14, 4), "glance", "ngl");
        logEvent(local(6, 14, 5), "graduate", "deprecated");
        logEvent(local(6, 14, 6), "join", "ngl");
        logEvent(local(7, 9, 0), "review", "necessary", "hard");
        logEvent(local(7, 9, 5), "review", "Zoo", "weird");
        logEvent(local(7, 9, 10), "spell", "necessary");
        logEvent(local(7, 9, 11), "rest", "Zoo");
    }

    // The round's count does not look for words to take in: the daily allowance counts.
    QString emptyBookRecord(const QString& nowLine) const
    {
        return nowLine +
               "\n\n单词本一共 0 个词：在学 0、见过 0、休息 0、掌握 0、沉睡 0。「在学」名额 30 "
               "个（只有在学和掌握的词会复习）\n\n今天已经复习了 0 题。现在打开复习，这一轮有 8 "
               "题，每题大约 15～20 秒";
    }
};

} // namespace

TEST_F(CoachFactsTest, theRecordOfAFullBookReadsBlockByBlock)
{
    openFullBook();
    const QStringList expected{
        "现在：2026-10-07 星期三 晚上 21 点",
        "第一次用 Glossivo 的记录：2026-09-01。有记录的日子一共 6 天",
        "今天之前最近一次学习：2026-10-06（1 天前）",
        "常看的地方和页面：reddit.com；Discord；docs.python.org；Thread",
        "",
        "最近两周每天的记录（只列有活动的日子）：",
        "- 2026-09-23（晚上）：又查到已存的词 1 次",
        "- 2026-10-05（晚上、深夜）：存了 1 个词；复习 4 题（没想起来 4）；拼写 1 次（拼对 0）",
        "- 2026-10-06（上午、下午）：存了 1 个词；又查到已存的词 1 次；复习 3 题（想起来了 "
        "2、太简单 "
        "1）；拼写 1 次（拼对 1）；点开菜单栏的词看了 1 次；记牢毕业：deprecated",
        "- 2026-10-07（上午）：复习 2 题（费劲想起 1）；拼写 1 次（拼对 0）",
        "",
        "最近 7 天新存的词（新的在前），后面是在哪里遇到的、原句：",
        "- 2026-10-06 ngl（abbr. 说实话，俚语） 来自 Discord",
        "- 2026-10-05 necessary（adj. 必要的） 来自 reddit.com「Thread」：Sleep is necessary for "
        "focus.",
        "- 2026-09-30 apple（n. 苹果）",
        "",
        "单词本一共 6 个词：在学 2、见过 1、休息 1、掌握 1、沉睡 1。「在学」名额 30 "
        "个（只有在学和掌握的词会复习）",
        "「在学」的词：",
        "- necessary（必要的）：复习 3 次，忘 2 次，现在大约能记 4 天，拼写练到「按块拼」",
        "- ngl（说实话，俚语）：还没复习过",
        "",
        "最近两周忘过两次以上的词：",
        "- ghost：没想起来 → 没想起来",
        "- necessary：没想起来 → 没想起来 → 想起来了 → 费劲想起。意思：必要的。原句：Sleep is "
        "necessary for focus.。已经给过的联想：need + ess 想成 need",
        "最近两次都想起来了的词：apple",
        "难啃的词（忘了 2 次以上）：necessary",
        "正在休息、暂时不考的词：Zoo",
        "已经掌握的词：deprecated",
        "最近两周每个词的拼写结果（按时间先后）：",
        "- necessary：拼错 → 拼对 → 拼对",
        "「常拼」（想练拼写的名字、品牌等）有 1 个：deprecated",
        "",
        "今天已经复习了 2 题。现在打开复习，这一轮有 10 题，每题大约 15～20 秒"};
    const QStringList lines = build().split('\n');
    EXPECT_EQ(lines, expected);
    for (qsizetype i = 0; i < std::min(lines.size(), expected.size()); ++i)
        EXPECT_EQ(lines[i].toStdString(), expected[i].toStdString()) << "line " << i;
}

TEST_F(CoachFactsTest, anEmptyBookAndLogGiveThreeLinesAtAnyHourAndDay)
{
    openBook({});
    const struct {
        QDateTime now;
        const char* line;
    } cases[] = {
        {local(4, 0, 10), "现在：2026-10-04 星期日 深夜 0 点"},
        {local(5, 5), "现在：2026-10-05 星期一 上午 5 点"},
        {local(6, 11, 59), "现在：2026-10-06 星期二 上午 11 点"},
        {local(8, 12), "现在：2026-10-08 星期四 下午 12 点"},
        {local(9, 17, 59), "现在：2026-10-09 星期五 下午 17 点"},
        {local(10, 18), "现在：2026-10-10 星期六 晚上 18 点"},
        {local(10, 23), "现在：2026-10-10 星期六 深夜 23 点"},
        {local(11, 4, 59), "现在：2026-10-11 星期日 深夜 4 点"},
    };
    for (const auto& c : cases) {
        clock.set(c.now);
        EXPECT_EQ(build(), emptyBookRecord(c.line)) << c.line;
    }
}

TEST_F(CoachFactsTest, theDayBlocksFollowWhereTheLogLies)
{
    openBook({});
    logEvent(local(7, 8), "glance", "ngl");
    EXPECT_EQ(build().split('\n').mid(0, 5),
              (QStringList{"现在：2026-10-07 星期三 晚上 21 点",
                           "第一次用 Glossivo 的记录：2026-10-07。有记录的日子一共 1 天", "",
                           "最近两周每天的记录（只列有活动的日子）：",
                           "- 2026-10-07（上午）：点开菜单栏的词看了 1 次"}));

    // Only events from before the window: first use and last study, no two-week block.
    folder.write("learning-log.jsonl", "");
    logEvent(local(23, 21, 29, 9), "save", "ferry");
    logEvent(local(2, 9, 0, 9), "review", "ferry", "again");
    const QString record = build();
    EXPECT_EQ(record.split('\n').mid(1, 3),
              (QStringList{"第一次用 Glossivo 的记录：2026-09-02。有记录的日子一共 2 天",
                           "今天之前最近一次学习：2026-09-23（14 天前）", ""}));
    EXPECT_FALSE(record.contains("最近两周"));
}

TEST_F(CoachFactsTest, newWordsListTheFortyNewestWithEqualTimesInBookOrder)
{
    QList<WordEntry> words;
    for (int i = 0; i < 41; ++i) {
        WordEntry entry = word(QStringLiteral("w%1").arg(i, 2, 10, QLatin1Char('0')));
        entry.createdAt = clock.now().addSecs(-3600 * (i / 2)); // pairs share a time
        words.append(entry);
    }
    std::reverse(words.begin(), words.end());
    openBook(words);
    const QStringList lines = build().split('\n');
    const qsizetype heading =
        lines.indexOf("最近 7 天新存的词（新的在前），后面是在哪里遇到的、原句：");
    ASSERT_GE(heading, 0);
    EXPECT_EQ(lines[heading + 1], "- 2026-10-07 w01（n. 意思）");
    EXPECT_EQ(lines[heading + 2], "- 2026-10-07 w00（n. 意思）");
    EXPECT_EQ(lines[heading + 40], "- 2026-10-07 w38（n. 意思）");
    EXPECT_EQ(lines[heading + 41], "");
    EXPECT_FALSE(lines.contains("- 2026-10-07 w40（n. 意思）"));
}

TEST_F(CoachFactsTest, longSentencesAreCutAtUserPerceivedCharacters)
{
    const QString unit = QStringLiteral("e\u0301👍🏽"); // two characters, five UTF-16 units
    QString sentence;
    for (int i = 0; i < 100; ++i)
        sentence += unit;
    WordEntry cafe = word("café");
    cafe.createdAt = clock.now();
    cafe.examples = {example(sentence)};
    openBook({cafe});
    const QString line = build().split('\n').at(3);
    const QString shown = line.mid(line.indexOf("：") + 1);
    EXPECT_EQ(Graphemes::split(shown).size(), 110);
    EXPECT_TRUE(sentence.startsWith(shown));
}

TEST_F(CoachFactsTest, aThresholdOfZeroMakesEveryWordButTheMasteredALeech)
{
    WordEntry seen = word("seen");
    WordEntry learning = word("learning");
    learning.stage = Stage::learning;
    WordEntry mastered = word("mastered");
    mastered.stage = Stage::mastered;
    config.leechThreshold = 0;
    openBook({seen, learning, mastered});
    EXPECT_TRUE(build().split('\n').contains("难啃的词（忘了 0 次以上）：seen, learning"));
}

TEST_F(CoachFactsTest, wordsFromTheLogInBothTrendsAndTheDetailsTheyMayLack)
{
    openBook({});
    for (const char* detail : {"again", "again", "again", "good", "easy"})
        logEvent(local(6, 10), "review", "loop", QString::fromLatin1(detail));
    logEvent(local(6, 11), "review", "odd", "weird"); // alone: empty parentheses
    logEvent(local(5, 11), "spell", "loop");          // no detail: right in the list only
    const QStringList lines = build().split('\n');
    EXPECT_TRUE(lines.contains("- 2026-10-05（上午）：拼写 1 次（拼对 0）"));
    EXPECT_TRUE(
        lines.contains("- 2026-10-06（上午）：复习 6 题（没想起来 3、想起来了 1、太简单 1）"));
    EXPECT_TRUE(lines.contains("- loop：没想起来 → 没想起来 → 没想起来 → 想起来了 → 太简单"));
    EXPECT_TRUE(lines.contains("最近两次都想起来了的词：loop"));
    EXPECT_TRUE(lines.contains("- loop：拼对"));

    folder.write("learning-log.jsonl", "");
    logEvent(local(6, 11), "review", "odd", "weird");
    EXPECT_TRUE(build().split('\n').contains("- 2026-10-06（上午）：复习 1 题（）"));
}

// A stability read from a file may be any finite number; it is written out, never turned into an
// integer that overflows.
TEST_F(CoachFactsTest, aHugeStabilityFromTheFileIsWrittenOutInFull)
{
    WordEntry huge = word("huge");
    huge.stage = Stage::learning;
    huge.review = review(1, 0, 1, clock.now());
    QJsonObject stored = huge.toJson();
    QJsonObject state = stored["review"].toObject();
    state["stability"] = 1e300;
    stored["review"] = state;
    folder.write("words.json", QJsonDocument(QJsonArray{stored}).toJson());
    openFolder();
    ASSERT_EQ(store->entries().size(), 1);

    const QString line = build().split('\n').at(4);
    const QString digits = line.mid(line.indexOf("能记 ") + 3).section(u' ', 0, 0);
    EXPECT_TRUE(line.startsWith("- huge（意思）：复习 1 次，忘 0 次，现在大约能记 1"))
        << line.toStdString();
    EXPECT_EQ(digits.size(), 301);
    EXPECT_TRUE(std::all_of(digits.begin(), digits.end(), [](QChar c) { return c.isDigit(); }));
}

TEST_F(CoachFactsTest, noSecretOfTheConfigurationReachesTheRecord)
{
    config.apiKey = "sk-coach-test-0b7e44c1";
    config.syncToken = "token-9c2f71aa";
    config.syncPin = QString(64, u'a').replace(0, 8, "0f1e2d3c");
    config.syncServer = "https://sync.example.org";
    config.baseURL = "https://ai.example.org";
    WordEntry pasted = word("pasted");
    pasted.createdAt = clock.now();
    // The title is cut to 50 characters, inside the pin: no part of it may survive the cut.
    Example leaked = example("my key is " + config.apiKey + " and " + config.syncToken);
    leaked.sourceTitle = "pin " + config.syncPin;
    pasted.examples = {leaked};
    openBook({pasted});

    const QString record = build();
    for (const QString& secret : {config.apiKey, config.syncToken, config.syncPin.left(8)})
        EXPECT_FALSE(record.contains(secret));
    EXPECT_FALSE(record.contains("example.org"));
    EXPECT_TRUE(record.contains("「pin ***」：my key is *** and ***")) << record.toStdString();
}

// The sentence is cut to 110 characters; a key standing across the cut is masked before it, so
// not even its first characters reach the coach.
TEST_F(CoachFactsTest, aSecretAcrossTheSentenceCutLeavesNoPrefix)
{
    config.apiKey = "sk-coach-test-0b7e44c1";
    WordEntry pasted = word("pasted");
    pasted.createdAt = clock.now();
    const QString before = QString(100, u'x') + u' ';
    pasted.examples = {example(before + config.apiKey + " and more")};
    openBook({pasted});

    const QString record = build();
    EXPECT_FALSE(record.contains("sk-")) << record.toStdString();
    EXPECT_TRUE(record.contains(before + "*** and m")) << record.toStdString();
}
