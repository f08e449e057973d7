// From a key press in the review window to the next thing drawn, on a word book of realistic
// size, the word book's synchronous write included.
#include "model/DocumentFile.h"
#include "model/WordStore.h"
#include "review/ReviewViewState.h"
#include "review/TimerDelay.h"
#include "review/views/ReviewWindow.h"
#include "support/WordBookGenerator.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

using namespace glossivo;

namespace {

// A word book after a year of use, thirty words being learnt and every reviewed word on the
// spelling list, written before the word book opens.
struct Book {
    explicit Book(int words) : paths(dir.path())
    {
        DocumentFile(paths.words()).write(bench::encodeWords(bench::yearOfLearning(words, true)));
    }

    QTemporaryDir dir;
    AppPaths paths;
};

// The review window over that word book, on screen and active.
struct Desk : Book {
    explicit Desk(int words) : Book(words)
    {
        window.show();
        window.activateWindow();
        // The window's keys work only in the active window.
        if (!QTest::qWaitForWindowActive(&window)) qWarning("the review window is not active");
    }

    // Draws what changed, as the next frame would.
    void settle()
    {
        QApplication::processEvents();
        window.repaint();
    }

    // A key as the desktop delivers it: to the focused field, or to the window's shortcuts.
    void press(Qt::Key key)
    {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : &window, key);
    }

    bench::SteppingClock clock;
    WordStore store{paths, clock, [] { return AppConfig(); }};
    TimerDelay delay;
    ReviewSession session{store, delay};
    ReviewViewState state{session, store, [] { return AppConfig(); }, {}};
    ReviewWindow window{state};
};

void ratingToNextQuestion(benchmark::State& state)
{
    Desk desk(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        if (!desk.session.current()) {
            desk.clock.nextDay();
            desk.session.start(0);
        }
        desk.state.reveal();
        desk.settle();
        const qsizetype before = desk.session.index();
        state.ResumeTiming();
        desk.press(Qt::Key_2); // hard: the next recognition question follows at once
        desk.settle();
        if (desk.session.index() == before) state.SkipWithError("the key did not rate");
    }
}

void typedAnswerToVerdict(benchmark::State& state)
{
    Desk desk(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        desk.clock.nextDay();
        desk.session.startSpelling();
        if (!desk.session.current()) {
            state.SkipWithError("no word to spell");
            break;
        }
        desk.state.setInput(desk.session.current()->answer + QStringLiteral("x"));
        desk.settle();
        // As the learner types, the answer field has the focus.
        const bool focused = QTest::qWaitFor([] {
            const QWidget* focus = QApplication::focusWidget();
            return focus && focus->objectName() == QLatin1String("answerField");
        });
        if (!focused) {
            state.SkipWithError("the answer field has no focus");
            break;
        }
        state.ResumeTiming();
        desk.press(Qt::Key_Return); // a miss: its verdict and the type-along field
        desk.settle();
        if (!desk.session.phase().isRevealed()) state.SkipWithError("Return did not submit");
    }
}

} // namespace

BENCHMARK(ratingToNextQuestion)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(typedAnswerToVerdict)->Arg(20000)->Unit(benchmark::kMillisecond);
