// Loading and writing the word book's largest document at realistic sizes.
#include "model/WordStore.h"
#include "support/WordBookGenerator.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace glossivo;

namespace {

void loadWordBook(benchmark::State& state)
{
    QTemporaryDir dir;
    const AppPaths paths(dir.path());
    DocumentFile(paths.words())
        .write(bench::encodeWords(bench::generateWords(int(state.range(0)))));
    for (auto _ : state) {
        WordStore store(paths, Clock::system());
        benchmark::DoNotOptimize(store.entries().size());
    }
    state.counters["bytes"] = double(QFileInfo(paths.words()).size());
}

// What every word-book operation pays: encode the whole list and replace the file atomically.
void writeWordBook(benchmark::State& state)
{
    QTemporaryDir dir;
    const AppPaths paths(dir.path());
    const QList<WordEntry> words = bench::generateWords(int(state.range(0)));
    DocumentFile file(paths.words());
    for (auto _ : state)
        benchmark::DoNotOptimize(file.write(bench::encodeWords(words)));
    state.counters["bytes"] = double(QFileInfo(paths.words()).size());
}

} // namespace

BENCHMARK(loadWordBook)->Arg(2000)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(writeWordBook)->Arg(2000)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);
