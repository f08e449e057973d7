// The inline Markdown renderer alone over 20 MB of text of each shape: plain prose, links that
// never close, emphasis everywhere, and code, escapes and closed links; with the memory it takes
// beyond its input and the markup it returns; and an answer as the coach writes them. Run it in a
// Release build.
#include "model/InlineMarkdown.h"
#include "support/CoachAnswer.h"
#include "support/PeakMemory.h"

#include <benchmark/benchmark.h>

using namespace glossivo;
using bench::peakMegabytes;
using bench::resetPeak;

namespace {

// Text of one shape, this many characters long; the last shape is a coach's answer.
QString shaped(int shape, qsizetype size)
{
    if (shape == 4) return bench::coachAnswer(size);
    const QString unit = shape == 0   ? QStringLiteral("plain words, and a line.\n")
                         : shape == 1 ? QStringLiteral("[a](x")     // links that never close
                         : shape == 2 ? QStringLiteral("*a **b** ") // emphasis everywhere
                                      : QStringLiteral("`a` \\* [b](https://e.com/b) ");
    QString text;
    text.reserve(size);
    while (text.size() < size)
        text += unit;
    text.truncate(size);
    return text;
}

void renderMarkdown(benchmark::State& state)
{
    const QString text = shaped(int(state.range(0)), qsizetype(20) << 20);
    double added = 0;
    for (auto _ : state) {
        state.PauseTiming();
        resetPeak();
        const double before = peakMegabytes();
        state.ResumeTiming();
        const QString html = inlineMarkdown(text);
        state.PauseTiming();
        // Beyond the text and the markup made of it, both of which any renderer holds.
        added = peakMegabytes() - before - double(html.size()) * 2 / (1 << 20);
        state.ResumeTiming();
    }
    state.counters["addedMB"] = added;
    state.counters["bytesPerChar"] = added * (1 << 20) / double(text.size());
}

} // namespace

BENCHMARK(renderMarkdown)->DenseRange(0, 4)->Iterations(1)->Unit(benchmark::kMillisecond);
