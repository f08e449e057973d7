#include "selftest/MergeSamples.h"

#include "model/JsonFields.h"

namespace glossivo::MergeSamples {

namespace {

constexpr qint64 kSecondsPerDay = 86400;
const QString kSiteOne = QStringLiteral("forum.example.net");
const QString kSiteTwo = QStringLiteral("docs.example.org");

// Noon UTC of the day in October 2026.
QDateTime oct(int day)
{
    return QDateTime(QDate(2026, 10, day), QTime(12, 0), Qt::UTC);
}

Example example(const char* suffix, const QString& sentence, int day)
{
    Example made;
    made.id = id(suffix);
    made.sentence = sentence;
    made.addedAt = oct(day);
    return made;
}

WordEntry word(const char* suffix, const QString& headword, int createdDay)
{
    WordEntry made;
    made.id = id(suffix);
    made.headword = headword;
    made.meaningZh = headword + QStringLiteral("的意思");
    made.createdAt = oct(createdDay);
    made.lastLookupAt = made.createdAt;
    made.lookupCount = 1;
    return made;
}

ReviewState review(double stability, int lastReviewDay, int dueInDays, int reps)
{
    ReviewState state;
    state.stability = stability;
    state.difficulty = 5.0;
    state.lastReview = oct(lastReviewDay);
    state.due = state.lastReview.addSecs(dueInDays * kSecondsPerDay);
    state.reps = reps;
    return state;
}

GrammarEncounter grammar(const char* suffix, const QDateTime& date)
{
    GrammarEncounter encounter;
    encounter.id = id(suffix);
    encounter.point = GrammarPoint::passive;
    encounter.headword = QStringLiteral("run");
    encounter.sentence = QStringLiteral("It was run.");
    encounter.addedAt = date;
    return encounter;
}

StudySettings settings(int learningSlots, int dailyNewLimit, int sessionSize, bool recall,
                       int changedDay)
{
    StudySettings made;
    made.learningSlots = learningSlots;
    made.dailyNewLimit = dailyNewLimit;
    made.sessionSize = sessionSize;
    made.graduateDays = 30;
    made.leechThreshold = 4;
    made.dormantDays = 30;
    made.recallOnLookup = recall;
    made.changedAt = oct(changedDay);
    return made;
}

const QString kSaveLine =
    QStringLiteral(R"({"kind":"save","time":"2026-10-01T12:00:00Z","word":"run"})");
const QString kReviewLine =
    QStringLiteral(R"({"kind":"review","time":"2026-10-05T12:00:00Z","word":"run"})");
const QString kLookupLine =
    QStringLiteral(R"({"kind":"lookup","time":"2026-10-03T12:00:00Z","word":"apple"})");

WordEntry computerRun()
{
    WordEntry run = word("0A", QStringLiteral("run"), 1);
    run.lookupCount = 4;
    run.examples = {example("E1", QStringLiteral("I run every day."), 1),
                    example("E3", QStringLiteral("Run the tests."), 3)};
    run.review = review(3.0, 5, 3, 2);
    run.stage = Stage::learning;
    run.stateAt = oct(6);
    run.encounterDays = QStringList{QStringLiteral("2026-10-01"), QStringLiteral("2026-10-05")};
    run.sourceKeys = QStringList{kSiteOne};
    return run;
}

WordEntry phoneRun()
{
    WordEntry run = word("0A", QStringLiteral("run"), 1);
    run.examples = {example("E1", QStringLiteral("I run every day."), 1),
                    example("E2", QStringLiteral("She runs a shop."), 2)};
    run.review = review(8.0, 6, 8, 3);
    run.stage = Stage::resting;
    run.stateAt = oct(4);
    run.encounterDays = QStringList{QStringLiteral("2026-10-01"), QStringLiteral("2026-10-06")};
    run.sourceKeys = QStringList{kSiteOne, kSiteTwo};
    run.spellLevel = 2;
    run.lastSpelledAt = oct(6);
    return run;
}

WordEntry phoneApple()
{
    WordEntry apple = word("B2", QStringLiteral("Apple"), 3);
    apple.examples = {example("E5", QStringLiteral("An apple a day."), 3),
                      example("E6", QStringLiteral("Apple pie."), 3)};
    apple.wantToLearn = true;
    apple.stateAt = oct(3);
    return apple;
}

WordEntry learning(const char* suffix, const QString& headword)
{
    WordEntry made = word(suffix, headword, 1);
    made.stage = Stage::learning;
    return made;
}

} // namespace

QUuid id(const char* suffix)
{
    return QUuid::fromString(QStringLiteral("00000000-0000-0000-0000-0000000000") +
                             QLatin1String(suffix));
}

SyncBundle computer()
{
    WordEntry apple = word("B1", QStringLiteral("apple"), 4);
    apple.examples = {example("E4", QStringLiteral("An apple a day."), 4)};

    SyncBundle bundle;
    bundle.words = {computerRun(), apple, word("C1", QStringLiteral("gone"), 2)};
    bundle.grammar = {grammar("F1", oct(2))};
    bundle.log = {kSaveLine, kReviewLine};
    bundle.stats = ReviewStats{QStringLiteral("2026-10-07"), 5, 2};
    bundle.settings = settings(50, 8, 15, true, 5);
    return bundle;
}

SyncBundle phone()
{
    SyncBundle bundle;
    bundle.words = {phoneRun(), phoneApple(), word("D1", QStringLiteral("cat"), 5)};
    bundle.grammar = {grammar("F2", oct(3))};
    bundle.deleted = {Tombstone{Json::uuidText(id("C1")), oct(6)},
                      Tombstone{Json::uuidText(id("E3")), oct(6)}};
    bundle.log = {kSaveLine, kLookupLine};
    bundle.stats = ReviewStats{QStringLiteral("2026-10-07"), 3, 4};
    bundle.settings = settings(40, 5, 10, false, 6);
    return bundle;
}

QList<WordEntry> slotTrimWords()
{
    WordEntry alpha = learning("A1", QStringLiteral("alpha"));
    alpha.review = review(10.0, 5, 10, 3);
    WordEntry beta = learning("A2", QStringLiteral("beta"));
    beta.stateAt = oct(4);
    WordEntry gamma = learning("A3", QStringLiteral("gamma"));
    gamma.stateAt = oct(6);
    WordEntry delta = learning("A4", QStringLiteral("delta"));
    delta.review = review(2.0, 5, 2, 1);
    return {alpha, beta, gamma, delta};
}

} // namespace glossivo::MergeSamples
