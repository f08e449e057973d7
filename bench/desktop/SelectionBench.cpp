// From the mouse-up to the selected text delivered to the card, on a real X desktop (run it
// inside scripts/desktop-session), through the accessibility bus (a Qt line edit) and through
// PRIMARY (a window without accessibility). The trigger's wait after the mouse-up is set to
// zero: what is measured is the time spent reading, not the wait.
#include "input/SelectionReader.h"
#include "input/TriggerController.h"
#include "platform/ScreenInputBackends.h"
#include "support/FakeScreenInput.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

using namespace glossivo;

namespace {

// A helper window of the tests, started for the benchmark; gives the point to double-click.
class Window {
public:
    Window(const QString& program, const QStringList& arguments, const QByteArray& pointName)
    {
        m_process.start(program, arguments);
        while (m_process.waitForReadyRead(10000)) {
            bool ready = false;
            while (m_process.canReadLine()) {
                const QList<QByteArray> fields = m_process.readLine().trimmed().split(' ');
                if (fields.value(0) == "ready") ready = true;
                if (fields.size() == 3 && fields[0] == pointName)
                    m_point = QPoint(fields[1].toInt() + 30,
                                     fields[2].toInt() + 30 * (pointName == "window"));
            }
            if (ready) break;
        }
        QTest::qWait(300);
    }
    ~Window()
    {
        m_process.kill();
        m_process.waitForFinished();
    }
    QPoint point() const { return m_point; }

private:
    QProcess m_process;
    QPoint m_point;
};

void doubleClick(QPoint at)
{
    QProcess::execute(QStringLiteral("xdotool"),
                      {QStringLiteral("mousemove"), QString::number(at.x()),
                       QString::number(at.y()), QStringLiteral("click"), QStringLiteral("--repeat"),
                       QStringLiteral("2"), QStringLiteral("--delay"), QStringLiteral("40"),
                       QStringLiteral("1")});
}

void selectionToCard(benchmark::State& state, const QString& program, const QStringList& arguments,
                     const QByteArray& pointName)
{
    if (!qEnvironmentVariableIsSet("DISPLAY")) {
        state.SkipWithError("needs an X desktop (scripts/desktop-session)");
        return;
    }
    ScreenInputBackends desktop;
    SelectionReader reader(desktop.accessibility, desktop.buffers, desktop.clipboard,
                           desktop.windows);
    testing::FakeCard card;
    const AppConfig config;
    TriggerController controller(
        {desktop.input, desktop.windows, reader, card, [&] { return config; }, isOwnWindow});
    controller.setSelectionDelay(std::chrono::milliseconds(0));
    QElapsedTimer clock;
    qint64 releasedAt = -1;
    QObject::connect(&desktop.input, &GlobalInput::buttonReleased,
                     [&](const PointerEvent&) { releasedAt = clock.nsecsElapsed(); });
    qint64 deliveredAt = -1;
    card.onLookup = [&] { deliveredAt = clock.nsecsElapsed(); };
    controller.start();
    Window window(program, arguments, pointName);
    clock.start();
    for (auto _ : state) {
        deliveredAt = -1;
        doubleClick(window.point());
        if (!QTest::qWaitFor([&] { return deliveredAt >= 0; }, 3000)) {
            state.SkipWithError("no text delivered");
            break;
        }
        state.SetIterationTime(double(deliveredAt - releasedAt) / 1e9);
        // Apart enough that the next double click does not continue this one.
        QTest::qWait(450);
    }
    // Which road the text took: only the accessibility bus brings a context with it.
    qsizetype withContext = 0;
    for (const auto& lookup : card.lookups)
        if (lookup.context) ++withContext;
    state.counters["withContext"] =
        double(withContext) / double(std::max<qsizetype>(1, card.lookups.size()));
}

void viaAccessibility(benchmark::State& state)
{
    selectionToCard(state, QStringLiteral(GLOSSIVO_TEXT_WINDOW), {}, "lineedit");
}

void viaPrimary(benchmark::State& state)
{
    selectionToCard(state, QStringLiteral(GLOSSIVO_PLAIN_WINDOW),
                    {QStringLiteral("--primary"), QStringLiteral("primaryword")}, "window");
}

} // namespace

BENCHMARK(viaAccessibility)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);
BENCHMARK(viaPrimary)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);
