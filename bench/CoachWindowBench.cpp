// The coach window over a huge stored answer: from a coach.json holding one coach message of the
// given size (MB of UTF-8) to the painted window, with the process's peak memory while it
// opens. Run it on the offscreen platform, in a Release build.
#include "coach/CoachDay.h"
#include "coach/CoachFacts.h"
#include "coach/CoachSession.h"
#include "coach/views/CoachView.h"
#include "model/ConfigStore.h"
#include "model/LearningLog.h"
#include "model/WordStore.h"
#include "support/CoachAnswer.h"
#include "support/PeakMemory.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace glossivo;
using bench::coachAnswer;
using bench::peakMegabytes;
using bench::resetPeak;

namespace {

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
        // As the program does before it shows the window: today's stored conversation.
        session.open();
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

BENCHMARK(openCoachWindow)->Arg(20)->Iterations(1)->Unit(benchmark::kMillisecond);
