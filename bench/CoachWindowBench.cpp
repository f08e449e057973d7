// The coach window over a huge stored answer, and the inline Markdown renderer that draws it.
// openCoachWindow: from a coach.json holding one coach message of the given size (MB of UTF-8)
// to the painted window, with the process's peak memory while it opens. renderMarkdown: the
// renderer alone over 20 MB of text of each shape, with the memory it takes beyond its input
// and output. Run it on the offscreen platform, in a Release build.
#include "coach/CoachDay.h"
#include "coach/CoachFacts.h"
#include "coach/CoachSession.h"
#include "coach/views/CoachView.h"
#include "model/ConfigStore.h"
#include "model/InlineMarkdown.h"
#include "model/LearningLog.h"
#include "model/WordStore.h"
#include "support/WordBookGenerator.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>

using namespace glossivo;

namespace {

// The process's peak resident memory since the last reset.
double peakMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ')[0].toDouble() / 1024;
    return 0;
}

// From here on the peak counts from what the process holds now.
void resetPeak()
{
    ::malloc_trim(0);
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly)) clear.write("5");
}

// An answer as the coach writes them, with every kind of inline Markdown, Chinese and English,
// repeated with a counter until it holds this many bytes of UTF-8.
QString coachAnswer(qsizetype bytes)
{
    const QString paragraph = QStringLiteral(
        "**第 %1 段**：你这周查了 *reluctant* 三次，说明它还没记牢。试着用它造句，比如 "
        "`I was reluctant to leave.`，再看看 [词典](https://dictionary.example.com/%1) 里的"
        "例句。~~别只背中文意思~~，把 __搭配__ 一起记下来：reluctant to do sth.\n"
        "- 复习 *hesitant*、**unwilling**，它们意思相近 (但语气不同)。\n\n");
    QString text;
    for (int i = 0; text.size() * 2 < bytes; ++i)
        text += paragraph.arg(i);
    while (text.toUtf8().size() > bytes)
        text.chop(text.size() / 50 + 1);
    return text;
}

// Text of one shape, this many characters long.
QString shaped(int shape, qsizetype size)
{
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

void openCoachWindow(benchmark::State& state)
{
    QTemporaryDir dir;
    const AppPaths paths(dir.path());
    const Clock& clock = Clock::system();
    const CoachMessage message =
        CoachMessage::make(true, coachAnswer(qsizetype(state.range(0)) << 20));
    const CoachDay today{clock.now().toLocalTime().date().toString(Qt::ISODate), {message}};
    DocumentFile(paths.coach())
        .write(QJsonDocument(QJsonArray{today.toJson()}).toJson(QJsonDocument::Indented));
    ConfigStore config(paths.config(), clock);
    LearningLog log(paths.log(), clock);
    WordStore store(paths, clock);
    const auto settings = [&config] { return config.config(); };
    CoachFacts facts(store, log, settings, clock);
    double peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        resetPeak();
        state.ResumeTiming();
        CoachSession session(paths.coach(), facts, settings, clock);
        CoachView view(session, facts, clock, {}, {});
        view.resize(500, 680);
        view.show();
        QCoreApplication::processEvents();
        view.repaint();
        state.PauseTiming();
        peak = peakMegabytes();
        state.ResumeTiming();
    }
    state.counters["peakMB"] = peak;
}

} // namespace

BENCHMARK(renderMarkdown)->DenseRange(0, 3)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(openCoachWindow)->Arg(20)->Iterations(1)->Unit(benchmark::kMillisecond);
