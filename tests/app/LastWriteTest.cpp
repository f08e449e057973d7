#include "app/LastWrite.h"
#include "app/QuitSignals.h"
#include "model/FolderLock.h"
#include "model/WordStore.h"
#include "support/DataFolder.h"
#include "support/FakeClock.h"

#include <QApplication>
#include <QTextStream>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <thread>
#include <unistd.h>

using namespace glossivo;
using namespace std::chrono_literals;

namespace {

// The program's end writes a change that another process's turn held back once that turn
// ends, and says what it could not write when the turn outlasts the wait.
TEST(LastWrite, WritesWhatWaitsOnceTheOtherTurnEndsAndSaysWhatItCouldNot)
{
    for (const bool outlasted : {false, true}) {
        SCOPED_TRACE(outlasted ? "the other turn outlasts the wait" : "it ends within the wait");
        const glossivo::testing::DataFolder folder;
        const glossivo::testing::FakeClock clock;
        WordStore store(folder.paths(), clock);
        store.setLockWait(0ms, 100ms);
        // Another process's turn (a lock on a descriptor of its own), for a second.
        FolderLock other(folder.paths().wordBookLock());
        ASSERT_EQ(other.acquire(0ms), FolderLock::State::held);
        Explanation harbor;
        harbor.headword = QStringLiteral("harbor");
        store.save(harbor, {});
        std::thread ending([&other] {
            std::this_thread::sleep_for(1s);
            other.release();
        });
        QString errors;
        QTextStream errorStream(&errors);
        QStringList notices;
        // As the tray announces a failing write: with a later try, which the end will not make.
        QObject::connect(&store, &WordStore::writeFailed,
                         [&notices](const QString& document) { notices << document; });
        LastWrite(
            store, outlasted ? 300ms : 30s,
            [&notices](const QString& title, const QString& message) {
                notices << title + QLatin1Char('\n') + message;
                return true;
            },
            errorStream)
            .run();
        ending.join();

        EXPECT_EQ(folder.read("words.json").contains("\"harbor\""), !outlasted);
        const QString said = QStringLiteral("Glossivo 退出前没能保存 words.json");
        const QString reason =
            QStringLiteral("另一个 Glossivo 进程一直占着单词本，这次改动没能写入");
        EXPECT_EQ(notices, outlasted ? QStringList{said + '\n' + reason} : QStringList());
        EXPECT_EQ(errors, outlasted ? said + "：" + reason + '\n' : QString());
    }
}

// A logout's SIGHUP right after its SIGTERM is the same request to end: the end still runs and
// writes the change that waited for the other process's turn, which has ended by then.
TEST(LastWrite, SignalsThatComeTogetherAreOneRequestAndTheEndStillWrites)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto endByLogout = [] {
        const glossivo::testing::DataFolder folder;
        const glossivo::testing::FakeClock clock;
        WordStore store(folder.paths(), clock);
        store.setLockWait(0ms);
        FolderLock other(folder.paths().wordBookLock());
        other.acquire(0ms);
        Explanation harbor;
        harbor.headword = QStringLiteral("harbor");
        store.save(harbor, {});
        other.release();
        const QuitSignals quitSignals;
        QString said;
        QTextStream errors(&said);
        LastWrite last(store, 20s, {}, errors);
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, [&last] { last.run(); });
        QTimer::singleShot(0, [] {
            std::raise(SIGTERM);
            std::raise(SIGHUP);
        });
        QApplication::exec();
        std::_Exit(folder.read("words.json").contains("\"harbor\"") ? 0 : 1);
    };
    EXPECT_EXIT(endByLogout(), ::testing::ExitedWithCode(0), "");
}

// Whoever signals again once the end waits will not wait for its write (QuitSignals): the
// program ends at once, by the signal, and says on the error output what it has not saved.
TEST(LastWrite, ASecondEndSignalCutsTheWaitShortAndSaysWhatIsNotSaved)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto endWhileAnotherTurnHoldsTheWordBook = [] {
        const glossivo::testing::DataFolder folder;
        const glossivo::testing::FakeClock clock;
        WordStore store(folder.paths(), clock);
        store.setLockWait(0ms);
        FolderLock other(folder.paths().wordBookLock());
        other.acquire(0ms);
        Explanation harbor;
        harbor.headword = QStringLiteral("harbor");
        store.save(harbor, {});
        const QuitSignals quitSignals;
        QString said;
        QTextStream errors(&said);
        LastWrite last(store, 20s, {}, errors);
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, [&last] { last.run(); });
        QTimer::singleShot(0, [] { std::raise(SIGTERM); });
        std::thread([] {
            std::this_thread::sleep_for(1s);
            ::kill(::getpid(), SIGTERM);
        }).detach();
        QApplication::exec();
    };
    // Had the second signal waited for the end, the end would return after its 20 s.
    EXPECT_EXIT(endWhileAnotherTurnHoldsTheWordBook(), ::testing::KilledBySignal(SIGTERM),
                "Glossivo 退出前没能保存 words.json：另一个 Glossivo 进程一直占着单词本");
}

} // namespace
