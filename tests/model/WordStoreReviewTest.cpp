#include "FakeMnemonicSource.h"
#include "WordBookFixture.h"

#include "model/FSRS.h"

#include <cmath>

using namespace glossivo;
using glossivo::testing::FakeMnemonicSource;
using glossivo::testing::WordBookFixture;

namespace {

class WordStoreReviewTest : public WordBookFixture {
protected:
    WordEntry reviewed(const QString& headword, Stage stage, double stability, int lapses)
    {
        WordEntry entry = word(headword);
        entry.stage = stage;
        const QDateTime last = clock.now().addDays(-10);
        entry.review = ReviewState{stability, 5, clock.now(), last, 6, lapses, 3};
        return entry;
    }

    void openWithSource(const QList<WordEntry>& words)
    {
        open(words);
        store->setMnemonicSource(&source);
    }

    FakeMnemonicSource source;
};

} // namespace

TEST_F(WordStoreReviewTest, aStableEnoughLearningWordGraduates)
{
    const WordEntry ferry = reviewed("ferry", Stage::learning, 12, 0);
    const double next = FSRS::review(ferry.review, Rating::good, clock.now(), 0.95).stability;
    ASSERT_GT(next, 30);
    config.graduateDays = int(std::floor(next)) + 1;
    open({ferry});
    EXPECT_EQ(store->applyReview(ferry.id, Rating::good, "review"), ReviewOutcome::normal);

    config.graduateDays = int(std::floor(next)); // the test is "at least"
    open({ferry});
    EXPECT_EQ(store->applyReview(ferry.id, Rating::good, "review"), ReviewOutcome::graduated);
    EXPECT_EQ(entry(ferry.id).stage, Stage::mastered);
    EXPECT_EQ(entry(ferry.id).stateAt, clock.now());
    EXPECT_EQ(logged().mid(1), (QStringList{"review good", "graduate"}));
    EXPECT_EQ(wordsOnDisk(), store->entries());
    EXPECT_EQ(store->stats().reviewed, 2); // one review in each opening
    EXPECT_TRUE(folder.read("review-stats.json").contains("\"reviewed\": 2"));
}

// A lapse never raises the stability: long forgotten, a word of stability 30.0 keeps exactly
// 30.0, which is exactly graduateDays.
TEST_F(WordStoreReviewTest, aStabilityOfExactlyGraduateDaysGraduates)
{
    WordEntry ferry = learning("ferry");
    const QDateTime longAgo(QDate(1, 1, 2), QTime(0, 0), QTimeZone::utc());
    ferry.review = ReviewState{30.0, 1, longAgo, longAgo, 4, 0, 3};
    ASSERT_EQ(FSRS::review(ferry.review, Rating::again, clock.now(), 0.95).stability, 30.0);
    config.graduateDays = 30;
    open({ferry});
    EXPECT_EQ(store->applyReview(ferry.id, Rating::again, "review"), ReviewOutcome::graduated);
    EXPECT_EQ(entry(ferry.id).stage, Stage::mastered);
    EXPECT_EQ(logged(), (QStringList{"review again", "graduate"}));

    config.graduateDays = 31;
    open({ferry});
    EXPECT_EQ(store->applyReview(ferry.id, Rating::again, "review"), ReviewOutcome::normal);
}

TEST_F(WordStoreReviewTest, theLapseThatReachesTheThresholdMakesALeechOnce)
{
    const WordEntry ferry = reviewed("ferry", Stage::learning, 3, 3);
    openWithSource({ferry});
    EXPECT_EQ(store->applyReview(ferry.id, Rating::again, "review"), ReviewOutcome::becameLeech);
    EXPECT_EQ(logged(), (QStringList{"review again", "leech"}));
    EXPECT_EQ(entry(ferry.id).stage, Stage::learning);
    ASSERT_EQ(source.requests.size(), 1);
    source.answer(std::nullopt);

    clock.advance(2 * kDay * 1000);
    EXPECT_EQ(store->applyReview(ferry.id, Rating::again, "review"), ReviewOutcome::normal);
    EXPECT_EQ(source.requests.size(), 1);
}

TEST_F(WordStoreReviewTest, graduationWinsOverALeech)
{
    const WordEntry ferry = reviewed("ferry", Stage::learning, 3, 3);
    config.graduateDays = 0;
    openWithSource({ferry});
    EXPECT_EQ(store->applyReview(ferry.id, Rating::again, "review"), ReviewOutcome::graduated);
    EXPECT_EQ(logged(), (QStringList{"review again", "graduate"}));
    EXPECT_TRUE(source.requests.isEmpty());
}

TEST_F(WordStoreReviewTest, aMasteredWordIsReviewedForNinetyPercentAndStaysMastered)
{
    const WordEntry ferry = reviewed("ferry", Stage::mastered, 40, 3);
    openWithSource({ferry});
    EXPECT_EQ(store->applyReview(ferry.id, Rating::again, "review"), ReviewOutcome::becameLeech);
    EXPECT_EQ(entry(ferry.id).stage, Stage::mastered);
    source.answer(std::nullopt);

    const WordEntry other = reviewed("other", Stage::mastered, 40, 0);
    open({other});
    store->applyReview(other.id, Rating::good, "review");
    const ReviewState& state = *entry(other.id).review;
    EXPECT_NEAR(double(state.lastReview.msecsTo(state.due)) / 86400000.0, state.stability, 1e-5);
}

TEST_F(WordStoreReviewTest, leechThresholdsZeroAndOne)
{
    config.leechThreshold = 0;
    const WordEntry ferry = reviewed("ferry", Stage::learning, 3, 0);
    open({ferry});
    EXPECT_EQ(store->applyReview(ferry.id, Rating::again, "review"), ReviewOutcome::normal);

    config.leechThreshold = 1;
    open({ferry});
    EXPECT_EQ(store->applyReview(ferry.id, Rating::again, "review"), ReviewOutcome::becameLeech);
}

TEST_F(WordStoreReviewTest, theTipIsStoredOnTheWord)
{
    QList<WordEntry> words;
    for (int i = 0; i < 50; ++i)
        words.append(reviewed(QStringLiteral("m%1").arg(i), Stage::mastered, 40, 0));
    const WordEntry ferry = reviewed("ferry", Stage::learning, 3, 3);
    words.insert(7, ferry);
    openWithSource(words);

    store->applyReview(ferry.id, Rating::again, "review");
    ASSERT_EQ(source.requests.size(), 1);
    const auto& request = source.requests.first();
    EXPECT_EQ(request.entry.id, ferry.id);
    ASSERT_EQ(request.knownWords.size(), 40);
    EXPECT_EQ(request.knownWords.first(), QStringLiteral("m0"));
    EXPECT_EQ(request.knownWords.last(), QStringLiteral("m39"));

    source.answer(QStringLiteral("摆渡：想象一只渡船"));
    EXPECT_EQ(entry(ferry.id).mnemonic, QStringLiteral("摆渡：想象一只渡船"));
    EXPECT_EQ(wordsOnDisk(), store->entries());
}

TEST_F(WordStoreReviewTest, noTipIsAskedForAWordThatHasOneOrWithoutASource)
{
    WordEntry ferry = reviewed("ferry", Stage::learning, 3, 3);
    ferry.mnemonic = QString();
    openWithSource({ferry});
    EXPECT_EQ(store->applyReview(ferry.id, Rating::again, "review"), ReviewOutcome::becameLeech);
    EXPECT_TRUE(source.requests.isEmpty());

    ferry.mnemonic.reset();
    open({ferry});
    EXPECT_EQ(store->applyReview(ferry.id, Rating::again, "review"), ReviewOutcome::becameLeech);
    EXPECT_FALSE(entry(ferry.id).mnemonic);
}

TEST_F(WordStoreReviewTest, aFailedTipRequestLeavesTheWordAlone)
{
    const WordEntry ferry = reviewed("ferry", Stage::learning, 3, 3);
    openWithSource({ferry});
    store->applyReview(ferry.id, Rating::again, "review");
    const QByteArray before = folder.read("words.json");
    source.answer(std::nullopt);
    EXPECT_FALSE(entry(ferry.id).mnemonic);
    EXPECT_EQ(folder.read("words.json"), before);
}

TEST_F(WordStoreReviewTest, aTipArrivingAfterTheWordBookClosedIsDropped)
{
    const WordEntry ferry = reviewed("ferry", Stage::learning, 3, 3);
    openWithSource({ferry});
    store->applyReview(ferry.id, Rating::again, "review");
    const QByteArray before = folder.read("words.json");
    store.reset();
    ASSERT_TRUE(source.isWaiting());
    source.answer(QStringLiteral("太晚了"));
    EXPECT_EQ(folder.read("words.json"), before);
}

TEST_F(WordStoreReviewTest, topInterests)
{
    QList<WordEntry> words;
    const auto withKeys = [&](const QString& headword, const QStringList& keys) {
        WordEntry entry = word(headword);
        entry.sourceKeys = keys;
        words.append(entry);
    };
    withKeys("w1", {"a", "b"});
    withKeys("w2", {"b", "a", "c"});
    withKeys("w3", {"b", "a"});
    withKeys("w4", {"b"});
    withKeys("w5", {"b"});
    for (int t = 1; t <= 10; ++t) {
        Example example;
        example.id = QUuid::createUuid();
        example.addedAt = clock.now();
        example.sourceTitle = QStringLiteral("t%1").arg(t);
        words[(t - 1) / 2].examples.append(example);
    }
    words[4].examples.append(
        Example{QUuid::createUuid(), "", "", "", false, {}, {}, {}, clock.now()}); // no title
    open(words);
    EXPECT_EQ(store->topInterests(),
              (QStringList{"b", "a", "c", "t3", "t4", "t5", "t6", "t7", "t8", "t9", "t10"}));
}

TEST_F(WordStoreReviewTest, everyReviewIsCountedOnItsOwnDay)
{
    const WordEntry ferry = reviewed("ferry", Stage::learning, 3, 0);
    folder.write("review-stats.json", "{\"day\":\"2026-10-07\",\"reviewed\":4,\"newLearned\":2}");
    open({ferry});
    store->applyReview(ferry.id, Rating::good, "review");
    EXPECT_EQ(store->stats(), (ReviewStats{"2026-10-07", 5, 2}));
    clock.advance(12 * 3600 * 1000);
    store->applyReview(ferry.id, Rating::hard, "review");
    EXPECT_EQ(store->stats(), (ReviewStats{"2026-10-08", 1, 0}));
}

TEST_F(WordStoreReviewTest, anUnknownWordIsNotReviewed)
{
    open({word("ferry")});
    EXPECT_EQ(store->applyReview(QUuid::createUuid(), Rating::again, "review"),
              ReviewOutcome::normal);
    EXPECT_EQ(store->stats().reviewed, 0);
    EXPECT_TRUE(logged().isEmpty());
    EXPECT_FALSE(folder.exists("review-stats.json"));
}
