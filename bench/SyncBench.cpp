#include "model/IsoDate.h"
#include "sync/SyncBundle.h"
#include "sync/SyncMerge.h"

#include <QTimeZone>

#include <benchmark/benchmark.h>

#include <random>

using namespace glossivo;

namespace {

constexpr int wordCount = 20000;

QDateTime at(int minutes)
{
    return QDateTime(QDate(2026, 1, 1), QTime(0, 0), QTimeZone::utc()).addSecs(minutes * 60LL);
}

QUuid makeId(std::mt19937& random)
{
    return QUuid(random(), random(), random(), random(), random(), random(), random(), random(),
                 random(), random(), random());
}

// A word as a saved, reviewed and looked-up word looks in the word book.
WordEntry makeWord(std::mt19937& random, int index)
{
    WordEntry word;
    word.id = makeId(random);
    word.headword = QStringLiteral("word%1").arg(index);
    word.phonetic = QStringLiteral("/wɜːd/");
    word.pos = QStringLiteral("n.");
    word.meaningZh = QStringLiteral("单词的意思，第 %1 个").arg(index);
    word.definitionEn = QStringLiteral("A sample definition of the word number %1.").arg(index);
    word.createdAt = at(index);
    word.lookupCount = 3;
    word.lastLookupAt = at(index + 100);
    for (int e = 0; e < 2; ++e)
        word.examples.append(
            {makeId(random), QStringLiteral("Sentence %1 of word %2.").arg(e).arg(index),
             QStringLiteral("例句。"), QStringLiteral("意思"), false, QStringLiteral("Firefox"),
             QStringLiteral("https://example.com/a/b"), QStringLiteral("A page"), at(index + e)});
    word.forms = QList<FormRecord>{{FormKind::base, word.headword, at(index), 2, {}}};
    word.review = ReviewState{3.1415 + index % 7, 5.27, at(index + 5000), at(index + 60), 3, 0, 2};
    word.stage = Stage::learning;
    word.encounterDays = QStringList{QStringLiteral("2026-01-01"), QStringLiteral("2026-01-05")};
    word.sourceKeys = QStringList{QStringLiteral("example.com")};
    word.spellLevel = 1;
    word.lastSpelledAt = at(index + 70);
    word.stateAt = at(index + 60);
    return word;
}

SyncBundle makeBundle()
{
    std::mt19937 random(7);
    SyncBundle bundle;
    for (int i = 0; i < wordCount; ++i) {
        bundle.words.append(makeWord(random, i));
        bundle.log.append(QStringLiteral(R"({"kind":"review","time":"%1","word":"word%2"})")
                              .arg(IsoDate::format(at(i)))
                              .arg(i));
    }
    for (int i = 0; i < 2000; ++i)
        bundle.grammar.append({makeId(random),
                               GrammarPoint::passive,
                               QStringLiteral("w"),
                               QStringLiteral("w"),
                               QStringLiteral("It was said %1.").arg(i),
                               {},
                               {},
                               {},
                               {},
                               {},
                               at(i)});
    bundle.stats = ReviewStats{QStringLiteral("2026-10-07"), 10, 3};
    return SyncBundle::parse(bundle.json()); // in the order and form a device holds it
}

// Another device's copy: one word in twenty reviewed or looked up there since.
SyncBundle changedCopy(const SyncBundle& bundle)
{
    SyncBundle copy = bundle;
    for (qsizetype i = 0; i < copy.words.size(); i += 20) {
        WordEntry& word = copy.words[i];
        word.lookupCount += 1;
        word.lastLookupAt = at(900000);
        word.review->reps += 1;
        word.review->lastReview = at(900000);
        word.encounterDays->append(QStringLiteral("2026-10-07"));
    }
    return copy;
}

void jsonAndHash(benchmark::State& state)
{
    const SyncBundle bundle = makeBundle();
    for (auto _ : state) {
        benchmark::DoNotOptimize(bundle.json());
        benchmark::DoNotOptimize(bundle.hash());
    }
    state.counters["bytes"] = double(bundle.json().size());
}

// What a sync pass needs of one document: its text and the hash of that text.
void jsonThenHashOf(benchmark::State& state)
{
    const SyncBundle bundle = makeBundle();
    for (auto _ : state)
        benchmark::DoNotOptimize(SyncBundle::hashOf(bundle.json()));
}

void mergeTwoDevices(benchmark::State& state)
{
    const SyncBundle local = makeBundle();
    const SyncBundle remote = changedCopy(local);
    for (auto _ : state)
        benchmark::DoNotOptimize(SyncMerge::merge(local, remote));
}

} // namespace

BENCHMARK(jsonAndHash)->Unit(benchmark::kMillisecond);
BENCHMARK(jsonThenHashOf)->Unit(benchmark::kMillisecond);
BENCHMARK(mergeTwoDevices)->Unit(benchmark::kMillisecond);
