// The word book at realistic sizes: loading it, the operations the user waits for on the GUI
// thread, and the CPU work of one sync pass, beside the parse of the same bytes by
// QJsonDocument as the yardstick of the run.
#include "model/WordStore.h"
#include "support/WordBookGenerator.h"
#include "sync/SyncBundle.h"
#include "sync/SyncMerge.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <memory>
#include <unistd.h>

using namespace glossivo;

namespace {

using bench::residentMegabytes;
using bench::WordBookFolder;

Explanation explanationOf(const WordEntry& word)
{
    Explanation explanation;
    explanation.headword = word.headword;
    explanation.meaningZh = word.meaningZh;
    explanation.sentence =
        QStringLiteral("Another sentence that uses %1 again.").arg(word.headword);
    explanation.sentenceZh = QStringLiteral("又一个例句。");
    explanation.surfaceForm = word.headword;
    return explanation;
}

const PageSource& page()
{
    static const PageSource source{QStringLiteral("Firefox"),
                                   QStringLiteral("https://news.example.com/article"),
                                   QStringLiteral("An article")};
    return source;
}

void baselineQJsonParse(benchmark::State& state)
{
    const WordBookFolder folder(int(state.range(0)));
    QFile file(folder.paths.words());
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    for (auto _ : state)
        benchmark::DoNotOptimize(QJsonDocument::fromJson(bytes).array().size());
    state.counters["bytes"] = double(bytes.size());
}

void load(benchmark::State& state)
{
    const WordBookFolder folder(int(state.range(0)));
    // What making the book and the benchmarks before left free goes back to the system, so that
    // the resident size is that of the loaded book.
    ::malloc_trim(0);
    double resident = 0;
    for (auto _ : state) {
        auto store = std::make_unique<WordStore>(folder.paths, Clock::system());
        benchmark::DoNotOptimize(store->entries().size());
        state.PauseTiming();
        resident = residentMegabytes();
        store.reset();
        // The next load starts on a heap like a fresh process's, not one strewn with the freed
        // pieces of this book.
        ::malloc_trim(0);
        state.ResumeTiming();
    }
    state.counters["bytes"] = double(QFileInfo(folder.paths.words()).size());
    state.counters["residentMB"] = resident;
}

// The load and all it leaves running on other threads, in CPU time of the whole process. A book
// this program wrote is ready once read; one another program changed (here only its time) has
// every word encoded again on a thread, so that its texts are the encoder's before they are kept.
void loadUntilIdle(benchmark::State& state, bool changedElsewhere)
{
    const WordBookFolder folder(int(state.range(0)));
    if (changedElsewhere) {
        QFile file(folder.paths.words());
        file.open(QIODevice::ReadWrite);
        file.setFileTime(QDateTime::currentDateTimeUtc(), QFileDevice::FileModificationTime);
    }
    ::malloc_trim(0);
    for (auto _ : state) {
        auto store = std::make_unique<WordStore>(folder.paths, Clock::system());
        store->finishLoading();
        benchmark::DoNotOptimize(store->entries().size());
        state.PauseTiming();
        store.reset();
        ::malloc_trim(0);
        state.ResumeTiming();
    }
}

void firstOperation(benchmark::State& state)
{
    const WordBookFolder folder(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        auto store = std::make_unique<WordStore>(folder.paths, Clock::system());
        const Explanation explanation =
            explanationOf(store->entries()[store->entries().size() / 2]);
        state.ResumeTiming();
        benchmark::DoNotOptimize(store->save(explanation, page()).entry.examples.size());
        state.PauseTiming();
        store.reset();
        state.ResumeTiming();
    }
}

// A loaded store that has written once already, as after a few minutes of use.
struct SteadyStore {
    explicit SteadyStore(int count) : folder(count), store(folder.paths, Clock::system())
    {
        store.finishLoading();
        store.recordLookup(explanationOf(store.entries().first()), page());
    }

    WordBookFolder folder;
    WordStore store;
};

void saveKnownWord(benchmark::State& state)
{
    SteadyStore steady(int(state.range(0)));
    const Explanation explanation =
        explanationOf(steady.store.entries()[steady.store.entries().size() / 2]);
    for (auto _ : state)
        benchmark::DoNotOptimize(steady.store.save(explanation, page()).entry.examples.size());
}

void recordLookup(benchmark::State& state)
{
    SteadyStore steady(int(state.range(0)));
    // The oldest word: a lookup that must pass the whole list to find it.
    const Explanation explanation = explanationOf(steady.store.entries().last());
    for (auto _ : state)
        benchmark::DoNotOptimize(steady.store.recordLookup(explanation, page()).isEmpty());
}

void reviewAnswer(benchmark::State& state)
{
    SteadyStore steady(int(state.range(0)));
    const QUuid id = steady.store.entries().last().id;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            steady.store.applyReview(id, Rating::good, QStringLiteral("review")));
}

// What the second device holds: the same book, a tenth of its words looked up again there.
SyncBundle secondDevice(const SyncBundle& local)
{
    SyncBundle other = local;
    for (qsizetype i = 0; i < other.words.size(); i += 10) {
        WordEntry& word = other.words[i];
        word.lookupCount += 1;
        word.lastLookupAt = word.lastLookupAt.value_or(word.createdAt).addDays(1);
    }
    return other;
}

// The CPU work of a sync pass that downloaded another device's document, as the pass does it:
// the normalized snapshot, the merge, the text of the merged document and its hash, and whether
// it differs from the local one (by their texts, which tells what their hashes would).
bool mergeOnce(WordStore& store, const SyncBundle& remote,
               const SyncBundle::WordTexts& remoteTexts = {})
{
    SyncBundle::WordTexts localTexts;
    const SyncBundle local = store.snapshot().normalized(localTexts);
    SyncBundle::WordTexts mergedTexts;
    const SyncBundle merged =
        SyncMerge::mergeWithTexts(local, remote, localTexts, remoteTexts, &mergedTexts);
    const SyncBundle::Text text = merged.text(mergedTexts).value();
    const SyncBundle::HashedText upload = text.hashed();
    return !upload.hash.isEmpty() && text != local.text(localTexts);
}

void syncPassCpu(benchmark::State& state)
{
    SteadyStore steady(int(state.range(0)));
    SyncBundle::WordTexts remoteTexts;
    const SyncBundle remote =
        SyncBundle::parse(secondDevice(steady.store.snapshot()).json(), remoteTexts);
    const QList<WordEntry> words = steady.store.entries();
    // A pass keeps the words' texts from the one before; the first pass after start, which
    // encodes every word, is measured by firstSyncPassCpu.
    benchmark::DoNotOptimize(mergeOnce(steady.store, remote, remoteTexts));
    qsizetype next = 0;
    for (auto _ : state) {
        // A pass follows a change: a word looked up since the last one.
        state.PauseTiming();
        steady.store.recordLookup(explanationOf(words[next++ % words.size()]), page());
        state.ResumeTiming();
        benchmark::DoNotOptimize(mergeOnce(steady.store, remote, remoteTexts));
    }
}

void firstSyncPassCpu(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        // New ids, so that nothing is known from an earlier pass.
        SteadyStore steady(int(state.range(0)));
        const SyncBundle remote = secondDevice(steady.store.snapshot());
        state.ResumeTiming();
        benchmark::DoNotOptimize(mergeOnce(steady.store, remote));
    }
}

} // namespace

#define WORD_BOOK_SIZES ->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond)
BENCHMARK(baselineQJsonParse) WORD_BOOK_SIZES;
BENCHMARK(load) WORD_BOOK_SIZES;
BENCHMARK_CAPTURE(loadUntilIdle, asWritten, false)
WORD_BOOK_SIZES->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK_CAPTURE(loadUntilIdle, changedElsewhere, true)
WORD_BOOK_SIZES->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(firstOperation) WORD_BOOK_SIZES;
BENCHMARK(saveKnownWord) WORD_BOOK_SIZES;
BENCHMARK(recordLookup) WORD_BOOK_SIZES;
BENCHMARK(reviewAnswer) WORD_BOOK_SIZES;
BENCHMARK(syncPassCpu) WORD_BOOK_SIZES->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(firstSyncPassCpu) WORD_BOOK_SIZES->MeasureProcessCPUTime()->UseRealTime();
