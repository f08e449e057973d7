// The word-book window over a word book of realistic size, step by step as the learner meets
// it: opening it, typing into the search and clearing it, a change of the word book reaching
// the list, and the grammar and affix tabs; beside the parse of the same words.json by
// QJsonDocument as the yardstick of the run; and the pane of a word met very often. Run it on the
// offscreen platform.
#include "model/WordStore.h"
#include "support/WordBookGenerator.h"
#include "wordbook/views/WordBookWindow.h"

#include <QApplication>
#include <QFile>
#include <QJsonDocument>
#include <QLineEdit>
#include <QListView>
#include <QTabBar>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <memory>
#include <unistd.h>

using namespace glossivo;

namespace {

using bench::residentMegabytes;
using bench::WordBookFolder;

// Everything the window has to do before the user sees it: queued refreshes, layout, paint.
void showNow(QWidget& window)
{
    QCoreApplication::processEvents();
    window.repaint();
}

struct OpenBook {
    explicit OpenBook(int count) : folder(count), store(folder.paths, Clock::system())
    {
        store.finishLoading();
    }
    std::unique_ptr<WordBookWindow> open()
    {
        auto window = std::make_unique<WordBookWindow>(
            store, [] { return AppConfig{}; }, Clock::system(), WordBookWindow::Actions{});
        window->show();
        showNow(*window);
        return window;
    }

    WordBookFolder folder;
    WordStore store;
};

void baselineQJsonParse(benchmark::State& state)
{
    const WordBookFolder folder(int(state.range(0)));
    QFile file(folder.paths.words());
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    for (auto _ : state)
        benchmark::DoNotOptimize(QJsonDocument::fromJson(bytes).array().size());
}

void openWindow(benchmark::State& state)
{
    OpenBook book(int(state.range(0)));
    ::malloc_trim(0);
    double added = 0;
    for (auto _ : state) {
        const double before = residentMegabytes();
        auto window = book.open();
        state.PauseTiming();
        added = residentMegabytes() - before;
        window.reset();
        ::malloc_trim(0);
        state.ResumeTiming();
    }
    state.counters["addedMB"] = added;
}

void typeOneLetter(benchmark::State& state)
{
    OpenBook book(int(state.range(0)));
    auto window = book.open();
    auto* search = window->findChild<QLineEdit*>(QStringLiteral("searchField"));
    for (auto _ : state) {
        search->setText(QStringLiteral("7"));
        showNow(*window);
        state.PauseTiming();
        search->clear();
        showNow(*window);
        state.ResumeTiming();
    }
}

void clearSearch(benchmark::State& state)
{
    OpenBook book(int(state.range(0)));
    auto window = book.open();
    auto* search = window->findChild<QLineEdit*>(QStringLiteral("searchField"));
    for (auto _ : state) {
        state.PauseTiming();
        search->setText(QStringLiteral("7"));
        showNow(*window);
        state.ResumeTiming();
        search->clear();
        showNow(*window);
    }
}

// The lookup itself, with its write, is WordBookBench's; here the window's part of it.
void refreshAfterLookup(benchmark::State& state)
{
    OpenBook book(int(state.range(0)));
    auto window = book.open();
    window->wordList()->setCurrentIndex(window->wordList()->model()->index(5, 0));
    Explanation lookup;
    lookup.headword = book.store.entries().last().headword;
    for (auto _ : state) {
        state.PauseTiming();
        book.store.recordLookup(lookup, {});
        state.ResumeTiming();
        showNow(*window);
    }
}

void switchToGrammarAndAffixes(benchmark::State& state)
{
    OpenBook book(int(state.range(0)));
    auto window = book.open();
    auto* tabs = window->findChild<QTabBar*>(QStringLiteral("tabPicker"));
    for (auto _ : state) {
        tabs->setCurrentIndex(1);
        showNow(*window);
        tabs->setCurrentIndex(2);
        showNow(*window);
        state.PauseTiming();
        tabs->setCurrentIndex(0);
        showNow(*window);
        state.ResumeTiming();
    }
}

// A word met in 200 sentences with 50 AI explanations, from the click to the painted pane.
void showWordPane(benchmark::State& state)
{
    QTemporaryDir dir;
    const AppPaths paths(dir.path());
    QList<WordEntry> words = bench::generateWords(2000);
    WordEntry& word = words.first();
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (int i = 0; i < 200; ++i)
        word.examples.append(
            Example{QUuid::createUuid(),
                    QStringLiteral("Sentence %1 with the word %2 in it.").arg(i).arg(word.headword),
                    QStringLiteral("第 %1 句。").arg(i), QStringLiteral("意思"), i % 3 == 0,
                    QStringLiteral("Firefox"), QStringLiteral("https://news.example.com/%1").arg(i),
                    QStringLiteral("Page %1").arg(i), now});
    QList<AINote> notes;
    for (int i = 0; i < 50; ++i)
        notes.append(AINote{QUuid::createUuid(),
                            QStringLiteral("问题 %1？").arg(i),
                            QStringLiteral("回答 **%1**，*斜体* 和 `code`。").arg(i),
                            {},
                            {},
                            {},
                            {},
                            {},
                            now});
    word.notes = notes;
    const QUuid id = word.id;
    DocumentFile(paths.words()).write(bench::encodeWords(words));
    WordStore store(paths, Clock::system());
    store.finishLoading();
    WordBookWindow window(
        store, [] { return AppConfig{}; }, Clock::system(), WordBookWindow::Actions{});
    window.show();
    showNow(window);
    for (auto _ : state) {
        window.state().setSelection(id);
        showNow(window);
        state.PauseTiming();
        window.state().setSelection(std::nullopt);
        showNow(window);
        state.ResumeTiming();
    }
}

} // namespace

#define WORD_BOOK_SIZES ->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond)
BENCHMARK(baselineQJsonParse) WORD_BOOK_SIZES;
BENCHMARK(openWindow) WORD_BOOK_SIZES;
BENCHMARK(typeOneLetter) WORD_BOOK_SIZES;
BENCHMARK(clearSearch) WORD_BOOK_SIZES;
BENCHMARK(refreshAfterLookup) WORD_BOOK_SIZES;
BENCHMARK(switchToGrammarAndAffixes) WORD_BOOK_SIZES;
BENCHMARK(showWordPane)->Unit(benchmark::kMillisecond);
