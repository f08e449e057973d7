// A review round and a save on word books of realistic size, every document write included.
#include "model/WordStore.h"
#include "support/WordBookGenerator.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace glossivo;

namespace {

struct Folder {
    explicit Folder(int words) : paths(dir.path())
    {
        DocumentFile(paths.words()).write(bench::encodeWords(bench::yearOfLearning(words)));
    }
    QTemporaryDir dir;
    AppPaths paths;
};

Explanation newWord(int n)
{
    Explanation explanation;
    explanation.headword = QStringLiteral("unreliable%1").arg(n);
    explanation.phonetic = QStringLiteral("/ˌʌnrɪˈlaɪəbl/");
    explanation.pos = QStringLiteral("adj.");
    explanation.meaningZh = QStringLiteral("不可靠的");
    explanation.definitionEn = QStringLiteral("not able to be trusted");
    explanation.register_ = QStringLiteral("neutral");
    explanation.sentence =
        QStringLiteral("The build was unreliable until the flaky tests were fixed (%1).").arg(n);
    explanation.sentenceZh = QStringLiteral("在修好不稳定的测试之前，构建一直不可靠。");
    explanation.surfaceForm = explanation.headword;
    explanation.formKind = QStringLiteral("base");
    explanation.grammar = QStringLiteral("past_simple");
    explanation.familyRoot = QStringLiteral("rely");
    explanation.affixes = QStringList{QStringLiteral("un-"), QStringLiteral("-able")};
    return explanation;
}

void reviewRound(benchmark::State& state)
{
    Folder folder(int(state.range(0)));
    bench::SteppingClock clock;
    WordStore store(folder.paths, clock, [] { return AppConfig(); });
    qsizetype reviewed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        clock.nextDay();
        state.ResumeTiming();
        const QList<QUuid> round = store.buildSession(0);
        for (const QUuid& id : round)
            store.applyReview(id, Rating::good, QStringLiteral("review"));
        reviewed += round.size();
    }
    state.counters["words per round"] =
        benchmark::Counter(double(reviewed) / double(state.iterations()));
}

void saveNewWord(benchmark::State& state)
{
    Folder folder(int(state.range(0)));
    WordStore store(folder.paths, Clock::system(), [] { return AppConfig(); });
    const PageSource source{QStringLiteral("Firefox"),
                            QStringLiteral("https://github.com/example/project/issues/1"),
                            QStringLiteral("Flaky build · example/project")};
    int n = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(store.save(newWord(n++), source));
}

} // namespace

BENCHMARK(reviewRound)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(saveNewWord)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);
