#include "AddWordFixture.h"
#include "CardFixture.h"

#include "card/SaveFailure.h"
#include "card/SaveProgress.h"
#include "model/FolderLock.h"

#include <QTest>

using namespace glossivo;
using namespace std::chrono_literals;

namespace {

// A save that another Glossivo process's turn holds back: the card and the add-word window say
// that it waits, that it failed once it has waited longer than the word book's patience, and
// that it is saved once it is on disk.
class SaveWaitingTest : public glossivo::testing::AddWordFixture {
protected:
    SaveWaitingTest() { store->setLockWait(0ms, 400ms); }

    glossivo::testing::FakeCardAI ai;
    CardController card{{ai, *store, [this] { return config; }, clock}};
    AddWordState addWord{*store, configSource()};
};

TEST_F(SaveWaitingTest, AWindowSaysItWaitsThenFailedOrSaved)
{
    const auto saveOnCard = [this](const QString& headword) {
        card.lookup(headword, std::nullopt, QPoint());
        Explanation explained;
        explained.headword = headword;
        ai.answer(ai.explains.size() - 1, explained);
        card.save();
    };
    const auto cardSays = [this]() -> QString {
        const WordCardData& shown = card.state().as<CardState::Word>()->data;
        if (shown.saveWaiting) return waitingForAnotherProcess();
        if (shown.saveFailed) return SaveFailure::message();
        return shown.justSaved ? "已保存 " + shown.explanation.headword : QString();
    };
    const auto saveAdded = [this](const QString& headword) {
        answer(word(headword));
        addWord.lookup(headword);
        ASSERT_TRUE(glossivo::testing::FakeChatServer::waitFor([this] { return !addWord.loading(); }));
        addWord.save();
    };
    const auto addWordSays = [this]() -> QString {
        if (addWord.waiting()) return waitingForAnotherProcess();
        return addWord.error().isEmpty() ? addWord.lastSaved() : addWord.error();
    };
    const struct {
        std::function<void(const QString& headword)> save;
        std::function<QString()> says;
    } windows[] = {{saveOnCard, cardSays}, {saveAdded, addWordSays}};
    int words = 0;
    for (const auto& window : windows) {
        for (const bool heldTooLong : {false, true}) {
            const QString headword = QStringLiteral("harbor%1").arg(++words);
            SCOPED_TRACE(headword.toStdString() + (heldTooLong ? ", held too long" : ""));
            const auto onDisk = [&] {
                return folder.read("words.json").contains(headword.toUtf8());
            };
            auto turnOfAnother = std::make_unique<FolderLock>(folder.paths().wordBookLock());
            ASSERT_EQ(turnOfAnother->acquire(0ms), FolderLock::State::held);
            window.save(headword);
            EXPECT_EQ(window.says(), waitingForAnotherProcess());
            EXPECT_FALSE(onDisk());
            if (heldTooLong) {
                EXPECT_TRUE(
                    QTest::qWaitFor([&] { return window.says() == SaveFailure::message(); }));
            }
            // Written by the word book itself once the other turn ends, failed or not.
            turnOfAnother.reset();
            EXPECT_TRUE(QTest::qWaitFor([&] { return window.says() == "已保存 " + headword; }))
                << window.says().toStdString();
            EXPECT_TRUE(onDisk());
        }
    }
}

} // namespace
