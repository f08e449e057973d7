#include "CoachFixture.h"

#include "coach/CoachText.h"

#include <cmath>
#include <limits>

using namespace glossivo;
using glossivo::testing::CoachFixture;

TEST(CoachText, ratingLabelsMatchExactlyAndPassOtherTextThrough)
{
    const struct {
        std::optional<QString> detail;
        const char* label;
    } cases[] = {{std::nullopt, ""},
                 {"again", "没想起来"},
                 {"hard", "费劲想起"},
                 {"good", "想起来了"},
                 {"easy", "太简单"},
                 {"Good", "Good"},
                 {"chunks good", "chunks good"}};
    for (const auto& c : cases)
        EXPECT_EQ(CoachText::ratingLabel(c.detail), QString::fromUtf8(c.label)) << c.label;
}

TEST(CoachText, spellingResultsAndDetails)
{
    const struct {
        std::optional<QString> detail;
        const char* result;
        const char* shown;
    } cases[] = {{std::nullopt, "拼对", ""},
                 {"again", "拼错", "拼错"},
                 {"补字母 hard", "有小错", "补字母 有小错"},
                 {"easy", "拼对", "拼对"},
                 {"good then again", "拼错", "拼对 then 拼错"},
                 {"AGAIN", "拼对", "AGAIN"}};
    for (const auto& c : cases) {
        EXPECT_EQ(CoachText::spellResult(c.detail), QString::fromUtf8(c.result)) << c.shown;
        EXPECT_EQ(CoachText::spellDetail(c.detail), QString::fromUtf8(c.shown));
    }
}

TEST(CoachText, placeTellsTheSiteOrAppAndTheTitle)
{
    const auto made = [](std::optional<QString> url, std::optional<QString> app,
                         std::optional<QString> title) {
        Example example;
        example.sourceURL = std::move(url);
        example.sourceApp = std::move(app);
        example.sourceTitle = std::move(title);
        return example;
    };
    const QString sixty = QString(50, u'标') + QString(10, u'尾');
    const struct {
        std::optional<Example> example;
        QString place;
    } cases[] = {
        {std::nullopt, ""},
        {made("https://www.reddit.com/r/ADHD", "Firefox", "Thread"), "reddit.com「Thread」"},
        {made(std::nullopt, "Mail", std::nullopt), "Mail"},
        {made("not an address", "Mail", ""), "Mail"},
        {made("file:///home/me/notes.txt", std::nullopt, std::nullopt), "notes.txt"},
        {made(std::nullopt, std::nullopt, "Only a title"), "「Only a title」"},
        {made(std::nullopt, "Okular", sixty), "Okular「" + QString(50, u'标') + "」"},
        {made(std::nullopt, std::nullopt, std::nullopt), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CoachText::place(c.example), c.place) << c.place.toStdString();
}

TEST(CoachText, daysAreRoundedHalfAwayFromZeroAndNeverOverflow)
{
    const struct {
        double days;
        const char* text;
    } cases[] = {{0.99, "不到 1 天"}, {-5, "不到 1 天"},     {std::nan(""), "不到 1 天"},
                 {1.0, "1 天"},       {1.4, "1 天"},         {2.5, "3 天"},
                 {12.5, "13 天"},     {3e9, "3000000000 天"}};
    for (const auto& c : cases)
        EXPECT_EQ(CoachText::formatDays(c.days), QString::fromUtf8(c.text)) << c.text;

    for (const double huge : {1e300, std::numeric_limits<double>::infinity()}) {
        const QString text = CoachText::formatDays(huge);
        EXPECT_TRUE(text.endsWith(" 天"));
        EXPECT_GT(text.size(), 300);
        EXPECT_TRUE(text.front().isDigit() && text.front() != u'0');
    }
}

TEST(CoachText, describeGivesReviewsSpanAndSpellingLevel)
{
    WordEntry word;
    word.headword = "ferry";
    word.meaningZh = "渡轮";
    EXPECT_EQ(CoachText::describe(word), "ferry（渡轮）：还没复习过，拼写练到「看一眼再写」");

    word.register_ = Register::slang;
    word.review = ReviewState{4.2, 5, {}, {}, 3, 1, 2};
    word.spellLevel = 3;
    EXPECT_EQ(CoachText::describe(word),
              "ferry（渡轮，俚语）：复习 3 次，忘 1 次，现在大约能记 4 天");

    const struct {
        Register value;
        int level;
        const char* tail;
    } cases[] = {{Register::formal, -3,
                  "ferry（渡轮，正式）：复习 3 次，忘 1 次，现在大约能记 4 "
                  "天，拼写练到「看一眼再写」"},
                 {Register::casual, 1,
                  "（渡轮，口语）：复习 3 次，忘 1 次，现在大约能记 4 "
                  "天，拼写练到「补字母」"},
                 {Register::technical, 4,
                  "（渡轮，技术）：复习 3 次，忘 1 次，现在大约能记 4 "
                  "天，拼写练到「听写」"},
                 {Register::neutral, 9,
                  "ferry（渡轮）：复习 3 次，忘 1 次，现在大约能记 4 "
                  "天，拼写练到「听写」"}};
    for (const auto& c : cases) {
        word.register_ = c.value;
        word.spellLevel = c.level;
        EXPECT_TRUE(CoachText::describe(word).endsWith(QString::fromUtf8(c.tail))) << c.tail;
    }
}

namespace {

class CoachTodayTest : public CoachFixture {};

} // namespace

TEST_F(CoachTodayTest, todaysReviewListsTodaysWordsInCodePointOrder)
{
    openBook({});
    logEvent(local(7, 11), "spell", "apple", "good");
    logEvent(local(7, 9), "review", "apple", "good");
    logLine("not json");
    logEvent(local(7, 10), "review", "apple", "again");
    logEvent(local(7, 12), "rest", "Zoo");
    logEvent(local(7, 12), "save", "banana");
    logEvent(local(7, 12), "lookup", "banana");
    logEvent(local(7, 12), "glance", "banana");
    logEvent(local(6, 23, 59), "review", "cherry", "good"); // yesterday
    logEvent(local(7, 13), "spell", "ément", "chunks again");
    logEvent(local(7, 14), "graduate", "😀word");
    logEvent(local(7, 15), "leech", "ﬃ");
    logEvent(local(7, 16), "recall", "Zoo", "hard");
    EXPECT_EQ(facts->todayReview(clock.now()), "- Zoo：先休息 → 费劲想起\n"
                                               "- apple：想起来了 → 没想起来 → 拼写（拼对）\n"
                                               "- ément：拼写（chunks 拼错）\n"
                                               "- ﬃ：变成难啃的词\n"
                                               "- 😀word：毕业了");
    EXPECT_EQ(facts->todayReview(local(8, 9)), "");
    EXPECT_EQ(facts->events().size(), 12);
}

TEST_F(CoachTodayTest, theQuestionCountMirrorsTheReviewRound)
{
    const auto learningWords = [this](int due, int fresh, int notDue) {
        QList<WordEntry> words;
        for (int i = 0; i < due + fresh + notDue; ++i) {
            WordEntry entry = word(QStringLiteral("w%1").arg(i));
            entry.stage = Stage::learning;
            if (i < due)
                entry.review = review(2, 0, 3, clock.now());
            else if (i >= due + fresh)
                entry.review = review(2, 0, 3, clock.now().addSecs(1));
            words.append(entry);
        }
        return words;
    };
    const auto stats = [this](const char* day, int learned) {
        folder.write("review-stats.json",
                     QStringLiteral(R"({"day": "%1", "reviewed": 0, "newLearned": %2})")
                         .arg(QString::fromLatin1(day))
                         .arg(learned)
                         .toUtf8());
    };
    config.learningSlots = 30;
    config.dailyNewLimit = 8;
    config.sessionSize = 15;
    stats("2026-10-07", 7);
    openBook(learningWords(4, 2, 22));
    EXPECT_EQ(facts->todayQuestionCount(clock.now()), 7);

    openBook(learningWords(20, 2, 6));
    EXPECT_EQ(facts->todayQuestionCount(clock.now()), 15);

    // Counters of an earlier day do not count: the whole daily limit, within the free slots.
    stats("2026-10-06", 7);
    openBook(learningWords(1, 0, 9));
    EXPECT_EQ(facts->todayQuestionCount(clock.now()), 9);
    // A mastered word counts when due; a seen word never does.
    WordEntry mastered = word("mastered");
    mastered.stage = Stage::mastered;
    mastered.review = review(5, 0, 30, clock.now().addDays(-1));
    WordEntry seen = word("seen");
    seen.review = review(5, 0, 30, clock.now().addDays(-1));
    config.dailyNewLimit = 0;
    openBook({mastered, seen});
    EXPECT_EQ(facts->todayQuestionCount(clock.now()), 1);

    // Numbers from files and other devices at their extremes: nothing overflows or goes below 0.
    stats("2026-10-07", std::numeric_limits<int>::min());
    config.dailyNewLimit = std::numeric_limits<int>::max();
    config.learningSlots = std::numeric_limits<int>::max();
    config.sessionSize = std::numeric_limits<int>::max();
    openBook(learningWords(1, 1, 0));
    EXPECT_EQ(facts->todayQuestionCount(clock.now()), std::numeric_limits<int>::max());
    config.sessionSize = -5;
    EXPECT_EQ(facts->todayQuestionCount(clock.now()), 0);
}
