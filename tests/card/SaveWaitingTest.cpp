#include "AddWordFixture.h"
#include "CardFixture.h"

#include "card/SaveProgress.h"
#include "model/FolderLock.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace glossivo;
using namespace std::chrono_literals;

namespace {

// A save that another Glossivo process's turn holds back: the card and the add-word window say
// that it waits for as long as the turn lasts, and that it is saved once the word is on disk.
class SaveWaitingTest : public glossivo::testing::AddWordFixture {
protected:
    SaveWaitingTest() { store->setLockWait(0ms, 400ms); }

    glossivo::testing::FakeCardAI ai;
    CardController card{{ai, *store, [this] { return config; }, clock}};
    AddWordState addWord{*store, configSource()};
};

TEST_F(SaveWaitingTest, AWindowSaysItWaitsForAsLongAsTheTurnLastsThenSaved)
{
    const auto lookUpOnCard = [this](const QString& headword) {
        card.lookup(headword, std::nullopt, QPoint());
        Explanation explained;
        explained.headword = headword;
        ai.answer(ai.explains.size() - 1, explained);
    };
    const auto cardSays = [this]() -> QString {
        const WordCardData& shown = card.state().as<CardState::Word>()->data;
        if (shown.saveWaiting) return waitingForAnotherProcess();
        return shown.justSaved ? "已保存 " + shown.explanation.headword : shown.saveFailure;
    };
    const auto lookUpAdded = [this](const QString& headword) {
        answer(word(headword));
        addWord.lookup(headword);
        ASSERT_TRUE(
            glossivo::testing::FakeChatServer::waitFor([this] { return !addWord.loading(); }));
    };
    const auto addWordSays = [this]() -> QString {
        if (addWord.waiting()) return waitingForAnotherProcess();
        return addWord.error().isEmpty() ? addWord.lastSaved() : addWord.error();
    };
    const struct {
        std::function<void(const QString& headword)> lookUp;
        std::function<void()> save;
        std::function<QString()> says;
    } windows[] = {{lookUpOnCard, [this] { card.save(); }, cardSays},
                   {lookUpAdded, [this] { addWord.save(); }, addWordSays}};
    // While the save waits: the learning log becomes unwritable, the word book's patience runs
    // out, the user types into the add-word window, or looks another word up.
    enum Meanwhile { logFails, pastPatience, typing, anotherLookup };
    const QString log = folder.path(QStringLiteral("learning-log.jsonl"));
    int words = 0;
    for (const auto& window : windows) {
        for (const Meanwhile meanwhile : {logFails, pastPatience, typing, anotherLookup}) {
            const QString headword = QStringLiteral("harbor%1").arg(++words);
            SCOPED_TRACE(headword.toStdString() + ", case " + std::to_string(meanwhile));
            const auto onDisk = [&] {
                return folder.read("words.json").contains(headword.toUtf8());
            };
            auto turnOfAnother = std::make_unique<FolderLock>(folder.paths().wordBookLock());
            ASSERT_EQ(turnOfAnother->acquire(0ms), FolderLock::State::held);
            window.lookUp(headword);
            window.save();
            EXPECT_EQ(window.says(), waitingForAnotherProcess());
            EXPECT_FALSE(onDisk());
            const QString next = "next" + headword;
            if (meanwhile == logFails) {
                // The word reaches the disk and is saved; the tray announces the log.
                QFile::remove(log);
                ASSERT_TRUE(QDir().mkdir(log));
            } else if (meanwhile == pastPatience) {
                // Counted as failed by the word book, yet written as soon as the turn ends.
                EXPECT_TRUE(
                    QTest::qWaitFor([&] { return !store->writeError("words.json").isEmpty(); }));
                EXPECT_EQ(window.says(), waitingForAnotherProcess());
            } else {
                // Neither the late confirmation nor the wait carries over to what came since.
                meanwhile == typing ? addWord.setWord(next) : window.lookUp(next);
            }
            turnOfAnother.reset();
            EXPECT_TRUE(QTest::qWaitFor(onDisk));
            EXPECT_EQ(window.says(), meanwhile == anotherLookup ? "" : "已保存 " + headword);
            if (meanwhile == typing) {
                EXPECT_EQ(addWord.word(), next);
            }
            QDir(log).removeRecursively();
        }
    }
}

} // namespace
