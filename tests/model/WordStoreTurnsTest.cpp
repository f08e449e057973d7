#include "WordBookFixture.h"

#include "model/AtomicFile.h"
#include "model/FolderLock.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>

#include <cerrno>
#include <functional>

using namespace glossivo;
using glossivo::testing::WordBookFixture;
using namespace std::chrono_literals;

namespace {

// The turns of two Glossivo processes over one data folder, when one of them could not write:
// what either of them reported saved is never lost to the other's later write.
class WordStoreTurnsTest : public WordBookFixture {
protected:
    // Another process in the middle of its turn.
    std::unique_ptr<FolderLock> holdLock()
    {
        auto lock = std::make_unique<FolderLock>(folder.paths().wordBookLock());
        EXPECT_EQ(lock->acquire(0ms), FolderLock::State::held);
        return lock;
    }

    static int openDescriptors() { return int(QDir("/proc/self/fd").count()); }
};

} // namespace

TEST_F(WordStoreTurnsTest, aChangeThatFailedIsMergedWithWhatAnotherProcessSavedMeanwhile)
{
    enum class Failure { disk, busy };
    for (const Failure failure : {Failure::disk, Failure::busy}) {
        store.reset();
        for (const QString& name : QDir(folder.path({})).entryList(QDir::Files))
            QFile::remove(folder.path(name));
        open(); // no words.json yet
        store->setLockWait(0ms);
        std::unique_ptr<FolderLock> turnOfAnother;
        if (failure == Failure::disk)
            AtomicFile::setSyncCall([](int) { return errno = EIO, -1; });
        else
            turnOfAnother = holdLock();
        store->save(explained("zzalpha"), {});
        AtomicFile::setSyncCall(nullptr);
        turnOfAnother.reset();
        ASSERT_EQ(store->failedDocuments(), QStringList{"words.json"});

        const auto commandLine = other();
        commandLine->addSpellPractice(explained("zzgamma"));
        ASSERT_TRUE(commandLine->isSaved());
        store->save(explained("slowbeta"), {});
        const QStringList all{"slowbeta", "zzalpha", "zzgamma"};
        EXPECT_EQ(headwords(wordsOnDisk()), all) << int(failure);
        EXPECT_EQ(headwords(store->entries()), all) << int(failure);
        EXPECT_TRUE(store->isSaved()) << int(failure);
        EXPECT_EQ(logged(), (QStringList{"save 常拼", "spell-add", "save", "save"}))
            << int(failure);
    }
}

// A word book that began without words.json knows it was missing: one another process made
// meanwhile is taken in, not written over.
TEST_F(WordStoreTurnsTest, aDocumentMissingAtLoadThatAnotherProcessMadeIsTakenIn)
{
    open();
    other()->save(explained("harbor"), {});
    store->save(explained("patch"), {});
    EXPECT_EQ(headwords(wordsOnDisk()), (QStringList{"harbor", "patch"}));
}

// Turns nest: only the outermost one's end lets the lock go, and every turn uses the one lock
// file the store opened.
TEST_F(WordStoreTurnsTest, onlyTheOutermostTurnLetsTheLockGoAndNoTurnLeaksADescriptor)
{
    open({word("ferry")});
    FolderLock probe(folder.paths().wordBookLock());
    {
        const WordStore::Turn outer(*store);
        store->recordLookup(explained("ferry"), {});
        EXPECT_EQ(probe.acquire(0ms), FolderLock::State::busy);
    }
    EXPECT_EQ(probe.acquire(0ms), FolderLock::State::held);
    probe.release();

    store->recordLookup(explained("ferry"), {});
    const int before = openDescriptors();
    for (int i = 0; i < 20; ++i)
        store->recordLookup(explained("ferry"), {});
    EXPECT_EQ(openDescriptors(), before);
}

// A turn that takes in another process's change replaces the lists; an id handed over from
// them must still be read after that (the AddressSanitizer build tells a freed one).
TEST_F(WordStoreTurnsTest, anArgumentTakenFromTheListsOutlivesTheTurnThatReplacesThem)
{
    using Call = std::function<void(WordStore&)>;
    const auto first = [](WordStore& words) -> const WordEntry& { return words.entries()[0]; };
    const std::pair<const char*, Call> calls[] = {
        {"applyReview",
         [&](WordStore& w) {
             w.applyReview(first(w).id, Rating::again, QStringLiteral("review"));
         }},
        {"startLearning", [&](WordStore& w) { w.startLearning(first(w).id); }},
        {"rest", [&](WordStore& w) { w.rest(first(w).id, 3); }},
        {"setWantToLearn", [&](WordStore& w) { w.setWantToLearn(first(w).id, true); }},
        {"applySpelling", [&](WordStore& w) { w.applySpelling(first(w).id, Rating::good); }},
        {"setSpellPractice", [&](WordStore& w) { w.setSpellPractice(first(w).id, true); }},
        {"deleteExample",
         [&](WordStore& w) { w.deleteExample(first(w).examples[0].id, first(w).id); }},
        {"deleteNote", [&](WordStore& w) { w.deleteNote(first(w).notes->at(0).id, first(w).id); }},
        {"addNote", [&](WordStore& w) { w.addNote(first(w).notes->at(0), first(w).headword); }},
        {"deleteWord", [&](WordStore& w) { w.deleteWord(first(w).id); }},
    };
    for (const auto& [name, call] : calls) {
        WordEntry ferry = word("ferry");
        ferry.examples.append({QUuid::createUuid(), "A ferry.", {}, {}, false, {}, {}, {}, noon()});
        AINote note;
        note.id = QUuid::createUuid();
        note.question = note.answer = QStringLiteral("why");
        note.addedAt = noon();
        ferry.notes = QList<AINote>{note};
        open({ferry});
        other()->recordLookup(explained("ferry"), {});
        const QByteArray before = folder.read("words.json");
        call(*store);
        EXPECT_NE(folder.read("words.json"), before) << name;
    }
}

// A window keeps answering while another process has its turn: the change waits for a later
// turn and fails only once it has waited past the patience.
TEST_F(WordStoreTurnsTest, aChangeHeldBackByAnotherTurnIsWrittenLaterAndFailsOnlyAfterThePatience)
{
    open();
    store->setLockWait(0ms, 300ms);
    QSignalSpy failed(store.get(), &WordStore::writeFailed);
    QSignalSpy recovered(store.get(), &WordStore::writeRecovered);

    auto turnOfAnother = holdLock();
    store->save(explained("harbor"), {});
    EXPECT_TRUE(store->failedDocuments().isEmpty());
    EXPECT_FALSE(store->isSaved());
    other()->refresh(); // a reader meanwhile sees nothing of it
    EXPECT_FALSE(folder.exists("words.json"));
    turnOfAnother.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return store->isSaved(); }, 5000));
    EXPECT_EQ(headwords(wordsOnDisk()), QStringList{"harbor"});
    EXPECT_EQ(logged(), QStringList{"save"});
    EXPECT_EQ(failed.size(), 0);

    turnOfAnother = holdLock();
    store->save(explained("patch"), {});
    ASSERT_TRUE(QTest::qWaitFor([&] { return failed.size() == 1; }, 5000));
    EXPECT_TRUE(failed[0][1].toString().contains(QStringLiteral("一直占着单词本")));
    turnOfAnother.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return recovered.size() == 1; }, 5000));
    EXPECT_EQ(headwords(wordsOnDisk()), (QStringList{"harbor", "patch"}));
}
