#include "WordBookFixture.h"

#include "model/FSRS.h"

#include <cmath>

using namespace glossivo;
using glossivo::testing::WordBookFixture;

namespace {

class WordStoreSlotsTest : public WordBookFixture {
protected:
    QList<WordEntry> words(int count, std::optional<Stage> stage, const QString& prefix)
    {
        QList<WordEntry> list;
        for (int i = 0; i < count; ++i) {
            WordEntry entry = word(prefix + QString::number(i));
            entry.stage = stage;
            list.append(entry);
        }
        return list;
    }

    void joinedToday(int count)
    {
        folder.write(QStringLiteral("review-stats.json"),
                     QStringLiteral("{\"day\":\"2026-10-07\",\"reviewed\":0,\"newLearned\":%1}")
                         .arg(count)
                         .toUtf8());
    }

    // A reviewed word whose retrievability now is the given value.
    WordEntry dueWord(const QString& headword, double recall, Stage stage = Stage::learning)
    {
        WordEntry entry = word(headword);
        entry.stage = stage;
        const double stability = 10;
        const double days = stability / FSRS::factor * (std::pow(recall, -2) - 1);
        const QDateTime last = clock.now().addMSecs(-qint64(days * 86400000));
        entry.review = ReviewState{stability, 5, last.addDays(1), last, 2, 0, 1};
        return entry;
    }

    int count(Stage stage) const
    {
        return int(std::count_if(store->entries().begin(), store->entries().end(),
                                 [&](const WordEntry& e) { return e.stage == stage; }));
    }
};

} // namespace

TEST_F(WordStoreSlotsTest, roomAndTheDailyQuotaBothLimitJoins)
{
    joinedToday(6);
    open(words(28, Stage::learning, "l") + words(10, std::nullopt, "s"));
    EXPECT_EQ(store->fillSlots(0), 2);
    EXPECT_EQ(store->learningCount(), 30);
    EXPECT_EQ(store->stats().newLearned, 8);

    joinedToday(6);
    open(words(28, Stage::learning, "l") + words(10, std::nullopt, "s"));
    EXPECT_EQ(store->fillSlots(5), 2);

    joinedToday(8);
    open(words(20, Stage::learning, "l") + words(10, std::nullopt, "s"));
    EXPECT_EQ(store->fillSlots(0), 0);
    EXPECT_EQ(store->fillSlots(5), 5);
    EXPECT_EQ(store->stats().newLearned, 13);
    EXPECT_EQ(logged().count(QStringLiteral("join")), 2 + 2 + 5); // over the three openings
    EXPECT_EQ(wordsOnDisk(), store->entries());
    EXPECT_TRUE(folder.read(QStringLiteral("review-stats.json")).contains("13"));
}

TEST_F(WordStoreSlotsTest, fewerSlotsSendTheSurplusBack)
{
    config.learningSlots = 25;
    open(words(30, Stage::learning, "l") + words(3, std::nullopt, "s"));
    EXPECT_EQ(store->fillSlots(0), 0);
    EXPECT_EQ(store->learningCount(), 25);
    EXPECT_EQ(count(Stage::seen), 5);
    EXPECT_EQ(logged().count(QStringLiteral("leave")), 5);
    EXPECT_EQ(wordsOnDisk(), store->entries());
}

TEST_F(WordStoreSlotsTest, aRestThatIsOverEnds)
{
    WordEntry open = word("open");
    open.stage = Stage::resting;
    WordEntry later = word("later");
    later.stage = Stage::resting;
    later.restUntil = clock.now().addSecs(1);
    config.dailyNewLimit = 0;
    this->open({open, later});
    store->fillSlots(0);
    EXPECT_EQ(store->entries()[0].stage, Stage::seen);
    EXPECT_EQ(store->entries()[0].stateAt, clock.now());
    EXPECT_EQ(store->entries()[1].stage, Stage::resting);
    EXPECT_TRUE(logged().isEmpty());
}

TEST_F(WordStoreSlotsTest, dormantWordsAndSpellingOnlyWordsDoNotJoin)
{
    WordEntry dormant = word("dormant");
    dormant.lastLookupAt = clock.now().addDays(-31);
    WordEntry wanted = dormant;
    wanted.id = QUuid::createUuid();
    wanted.headword = "wanted";
    wanted.wantToLearn = true;
    WordEntry spelling = word("spelling");
    spelling.spellPractice = true;
    WordEntry mastered = word("mastered");
    mastered.stage = Stage::mastered;
    open({dormant, wanted, spelling, mastered});
    EXPECT_EQ(store->fillSlots(0), 1);
    EXPECT_EQ(entry(wanted.id).stage, Stage::learning);
    EXPECT_FALSE(entry(dormant.id).stage);
    EXPECT_FALSE(entry(spelling.id).stage);
}

TEST_F(WordStoreSlotsTest, higherPriorityJoinsFirstAndEqualsKeepWordBookOrder)
{
    config.dailyNewLimit = 2;
    WordEntry technical = word("technical");
    technical.register_ = Register::technical;
    open({word("first"), word("second"), technical});
    EXPECT_EQ(store->fillSlots(0), 2);
    EXPECT_EQ(logged(), (QStringList{"join", "join"}));
    EXPECT_EQ(events()[0].word, QStringLiteral("technical"));
    EXPECT_EQ(events()[1].word, QStringLiteral("first"));
}

TEST_F(WordStoreSlotsTest, aRoundHasTheMostForgottenDueWordsFirstThenNewOnes)
{
    config.sessionSize = 5;
    QList<WordEntry> list{dueWord("r80", 0.80), dueWord("r95", 0.95, Stage::mastered),
                          dueWord("r60", 0.60)};
    list += words(4, Stage::learning, "new");
    WordEntry resting = dueWord("resting", 0.3, Stage::resting);
    resting.restUntil = clock.now().addDays(3);
    list += {resting, dueWord("seen", 0.3, Stage::seen)};
    WordEntry notDue = dueWord("notDue", 0.9);
    notDue.review->due = clock.now().addSecs(1);
    list += notDue;
    config.dailyNewLimit = 0;
    open(list);

    QStringList round;
    for (const QUuid& id : store->buildSession(0))
        round.append(entry(id).headword);
    EXPECT_EQ(round, (QStringList{"r60", "r80", "r95", "new0", "new1"}));
}

TEST_F(WordStoreSlotsTest, startingAWordByHand)
{
    config.learningSlots = 2;
    WordEntry resting = word("resting");
    resting.stage = Stage::resting;
    resting.restUntil = clock.now().addDays(5);
    const QList<WordEntry> list{learning("a"), resting, word("c")};
    open(list);
    EXPECT_FALSE(store->startLearning(list[0].id)); // already learning
    EXPECT_FALSE(store->startLearning(QUuid::createUuid()));
    EXPECT_TRUE(store->startLearning(list[1].id));
    EXPECT_EQ(entry(list[1].id).stage, Stage::learning);
    EXPECT_FALSE(entry(list[1].id).restUntil);
    EXPECT_FALSE(store->startLearning(list[2].id)); // no free slot
    EXPECT_FALSE(entry(list[2].id).stage);
    EXPECT_EQ(store->stats().newLearned, 0);
    EXPECT_EQ(logged(), QStringList{"join manual"});
    EXPECT_EQ(wordsOnDisk(), store->entries());
}

TEST_F(WordStoreSlotsTest, aRestedMasteredWordComesBackAsSeen)
{
    WordEntry mastered = word("mastered");
    mastered.stage = Stage::mastered;
    open({mastered});
    store->rest(mastered.id, 7);
    EXPECT_EQ(entry(mastered.id).stage, Stage::resting);
    EXPECT_EQ(entry(mastered.id).restUntil, clock.now().addDays(7));
    EXPECT_EQ(wordsOnDisk(), store->entries());

    config.dailyNewLimit = 0;
    clock.advance((7 * kDay - 1) * 1000);
    store->fillSlots(0);
    EXPECT_EQ(entry(mastered.id).stage, Stage::resting);
    clock.advance(1000);
    store->fillSlots(0);
    EXPECT_EQ(entry(mastered.id).stage, Stage::seen);
    EXPECT_EQ(logged(), QStringList{"rest"});
}

TEST_F(WordStoreSlotsTest, wantToLearnIsStoredEvenWhenCleared)
{
    const WordEntry ferry = word("ferry");
    open({ferry});
    store->setWantToLearn(ferry.id, true);
    EXPECT_EQ(wordsOnDisk().first().wantToLearn, true);
    clock.advance(60000);
    store->setWantToLearn(ferry.id, false);
    EXPECT_EQ(wordsOnDisk().first().wantToLearn, false);
    EXPECT_EQ(entry(ferry.id).stateAt, clock.now());
    EXPECT_TRUE(logged().isEmpty());
}

TEST_F(WordStoreSlotsTest, aNewDayRestartsTheCounters)
{
    joinedToday(8);
    open(words(3, std::nullopt, "s"));
    EXPECT_EQ(store->fillSlots(0), 0);
    clock.advance(12 * 3600 * 1000); // past local midnight
    EXPECT_EQ(store->fillSlots(0), 3);
    EXPECT_EQ(store->stats(), (ReviewStats{"2026-10-08", 0, 3}));
}

TEST_F(WordStoreSlotsTest, negativeSizesCountAsZero)
{
    config.sessionSize = -4;
    config.dailyNewLimit = -1;
    config.dormantDays = -10;
    open(words(3, std::nullopt, "s") + QList<WordEntry>{dueWord("due", 0.5)});
    EXPECT_TRUE(store->buildSession(5).isEmpty());
    EXPECT_EQ(store->learningCount(), 4); // extra words still join; no word is dormant at once

    config.learningSlots = -3;
    EXPECT_EQ(store->fillSlots(2), 0);
    EXPECT_EQ(store->learningCount(), 0);
}
