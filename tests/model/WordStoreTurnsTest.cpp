#include "WordBookFixture.h"

#include "model/AtomicFile.h"
#include "model/FSRS.h"
#include "model/FolderLock.h"

#include <QDir>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTest>

#include <cerrno>
#include <functional>
#include <sys/stat.h>

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

// A change that waited for its turn goes on top of what another process saved meanwhile, as if
// it had been made then.
TEST_F(WordStoreTurnsTest, aWaitingChangeGoesOnTopOfWhatAnotherProcessSavedMeanwhile)
{
    using Change = std::function<void(WordStore&)>;
    const auto id = [](WordStore& w, const char* headword) {
        return w.entries()[*w.index(headword)].id;
    };
    const auto onDisk = [this](const char* headword) {
        for (const WordEntry& entry : wordsOnDisk())
            if (entry.headword == headword) return std::optional(entry);
        return std::optional<WordEntry>();
    };
    const auto related = [](const char* headword) {
        Explanation explanation = explained(headword);
        explanation.familyRoot = QStringLiteral("ferry");
        return explanation;
    };
    const auto note = [this](const char* text) {
        return AINote{QUuid::createUuid(), text, text, {}, {}, {}, {}, {}, noon()};
    };
    const auto tide = [] {
        Explanation explanation = explained("tide", "The tide turns.");
        explanation.grammar = QStringLiteral("presentSimple");
        return explanation;
    };
    const auto once = [this](const char* document, const QString& text) {
        return folder.read(document).count(text.toUtf8()) == 1;
    };
    std::optional<ReviewState> ourReview;
    QUuid harbor;
    struct Case {
        const char* name;
        Change ours, theirs;
        std::function<bool()> holds;
    };
    const Case cases[] = {
        {"lookups add", [](WordStore& w) { w.recordLookup(explained("ferry"), {}); },
         [](WordStore& w) { w.recordLookup(explained("ferry"), {}); },
         [&] { return onDisk("ferry")->lookupCount == 3; }},
        {"reviews add",
         [&](WordStore& w) { w.applyReview(id(w, "ferry"), Rating::good, "review"); },
         [&](WordStore& w) { w.applyReview(id(w, "harbor"), Rating::good, "review"); },
         [&] { return folder.read("review-stats.json").contains("\"reviewed\": 2"); }},
        {"each side's field of one word",
         [&](WordStore& w) { w.setSpellPractice(id(w, "ferry"), true); },
         [&](WordStore& w) { w.startLearning(id(w, "ferry")); },
         [&] {
             return onDisk("ferry")->spellPractice && onDisk("ferry")->stage == Stage::learning;
         }},
        {"the waiting change wins a tie",
         [&](WordStore& w) { w.setWantToLearn(id(w, "ferry"), true); },
         [&](WordStore& w) { w.setWantToLearn(id(w, "ferry"), false); },
         [&] { return onDisk("ferry")->wantToLearn == true; }},
        {"a deleted word stays deleted",
         [&](WordStore& w) { w.setSpellPractice(id(w, "ferry"), true); },
         [&](WordStore& w) { w.deleteWord(id(w, "ferry")); }, [&] { return !onDisk("ferry"); }},
        {"the family follows", [&](WordStore& w) { w.save(related("ferryman"), {}); },
         [&](WordStore& w) { w.save(related("ferries"), {}); },
         [&] {
             const auto family = store->family(store->entries()[*store->index("ferryman")]);
             return headwords(family).contains("ferries");
         }},
        {"the log keeps the other's lines", [](WordStore& w) { w.applySync(w.snapshot()); },
         [](WordStore& w) { w.recordLookup(explained("harbor"), {}); },
         [&] { return logged().contains("lookup"); }},
        {"our deletion stays deleted", [&](WordStore& w) { w.deleteWord(id(w, "ferry")); },
         [&](WordStore& w) { w.setSpellPractice(id(w, "ferry"), true); },
         [&] { return !onDisk("ferry"); }},
        {"a review is taken whole from one side",
         [&](WordStore& w) {
             w.applyReview(id(w, "ferry"), Rating::good, "review");
             ourReview = w.entries()[*w.index("ferry")].review;
         },
         [&](WordStore& w) { w.applyReview(id(w, "ferry"), Rating::again, "review"); },
         [&] { return onDisk("ferry")->review == ourReview; }},
        {"both sides' sentences and notes stay",
         [&](WordStore& w) {
             w.save(explained("ferry", "Ours."), {});
             w.addNote(note("ours"), "ferry");
         },
         [&](WordStore& w) {
             w.save(explained("ferry", "Theirs."), {});
             w.addNote(note("theirs"), "ferry");
         },
         [&] {
             return onDisk("ferry")->examples.size() == 2 && onDisk("ferry")->notes->size() == 2;
         }},
        {"a word saved anew on both sides is kept once, its sentence and encounter too",
         [&](WordStore& w) { w.save(tide(), {}); }, [&](WordStore& w) { w.save(tide(), {}); },
         [&] {
             return headwords(wordsOnDisk()).count("tide") == 1 &&
                    onDisk("tide")->examples.size() == 1 && onDisk("tide")->lookupCount == 2 &&
                    once("grammar.json", "presentSimple");
         }},
        {"a deletion stands once, also one an older version wrote twice",
         [&](WordStore& w) {
             harbor = id(w, "harbor");
             w.deleteWord(harbor);
         },
         [&](WordStore&) {
             const QList<Tombstone> twice{{"patch", noon()}, {"patch", noon()}};
             AtomicFile::write(folder.path("deleted.json"),
                               QJsonDocument(Json::toArray(twice)).toJson());
         },
         [&] {
             return once("deleted.json", "patch") && once("deleted.json", Json::uuidText(harbor));
         }},
    };
    for (const Case& c : cases) {
        store.reset();
        QFile::remove(folder.path("learning-log.jsonl"));
        QFile::remove(folder.path("review-stats.json"));
        const QList<Tombstone> patch{{"patch", noon()}};
        folder.write("deleted.json", QJsonDocument(Json::toArray(patch)).toJson());
        WordEntry ferry = word("ferry");
        ferry.review = FSRS::review(std::nullopt, Rating::good, noon().addDays(-3), 0.95);
        open({ferry, word("harbor")});
        store->setLockWait(0ms, 5s);
        {
            const auto turnOfAnother = holdLock();
            c.ours(*store);
        }
        ASSERT_FALSE(store->isSaved()) << c.name;
        c.theirs(*other());
        store->refresh();
        EXPECT_TRUE(store->isSaved()) << c.name;
        EXPECT_TRUE(c.holds()) << c.name;
    }
}

// A write whose new file took the name but whose folder could not be flushed failed, yet the file
// is this process's own, also where it was the retry of an earlier failure: taken for another's
// change, its lookup would count twice and a word that other process deleted would come back.
TEST_F(WordStoreTurnsTest, aFileThatTookTheNameUnflushedIsNoOtherProcesssChange)
{
    const auto folderUnflushed = [](int fd) {
        struct stat info {};
        return ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode) ? (errno = EIO, -1) : 0;
    };
    for (const bool retry : {false, true}) {
        SCOPED_TRACE(retry ? "the retry of a failed write" : "the first write");
        store.reset();
        for (const QString& name : QDir(folder.path({})).entryList(QDir::Files))
            QFile::remove(folder.path(name));
        open({word("ferry"), word("harbor")});
        if (retry) {
            AtomicFile::setSyncCall([](int) { return errno = EIO, -1; });
            store->recordLookup(explained("ferry"), {});
        }
        AtomicFile::setSyncCall(folderUnflushed);
        store->recordLookup(explained("ferry"), {});
        AtomicFile::setSyncCall(nullptr);
        ASSERT_FALSE(store->isSaved());
        const int counted = wordsOnDisk().value(0).lookupCount + 1;
        const auto commandLine = other();
        commandLine->recordLookup(explained("ferry"), {});
        commandLine->deleteWord(commandLine->entries()[*commandLine->index("harbor")].id);
        EXPECT_TRUE(store->writeHeldBack(0ms));
        EXPECT_EQ(wordsOnDisk().value(0).lookupCount, counted);
        EXPECT_EQ(headwords(wordsOnDisk()), QStringList{"ferry"});
    }
}

// Another process's turn replaces words.json first and deleted.json last: nothing of it is
// taken in before it ends, however long the store would wait for a turn of its own.
TEST_F(WordStoreTurnsTest, nothingOfAnotherProcesssTurnIsTakenInBeforeItEnds)
{
    open({word("ferry"), word("harbor")});
    store->setLockWait(0ms, 5s);
    auto turnOfAnother = holdLock();
    const QUuid ferry = store->entries()[*store->index("ferry")].id;
    store->setSpellPractice(ferry, true);
    store->setLockWait(30s, 5s);
    QList<WordEntry> harborOnly = wordsOnDisk();
    harborOnly.removeIf([](const WordEntry& entry) { return entry.headword == "ferry"; });
    AtomicFile::write(folder.path("words.json"), QJsonDocument(Json::toArray(harborOnly)).toJson());
    QElapsedTimer waited;
    waited.start();
    store->refresh();
    EXPECT_LT(waited.elapsed(), 10000);
    EXPECT_EQ(headwords(store->entries()), (QStringList{"ferry", "harbor"}));

    const QList<Tombstone> tombstone{{Json::uuidText(ferry), noon()}};
    AtomicFile::write(folder.path("deleted.json"),
                      QJsonDocument(Json::toArray(tombstone)).toJson());
    turnOfAnother.reset();
    store->refresh();
    EXPECT_TRUE(store->isSaved());
    EXPECT_EQ(headwords(store->entries()), QStringList{"harbor"});
    EXPECT_EQ(headwords(wordsOnDisk()), QStringList{"harbor"});
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

    // The patience starts over with every change held back.
    QTest::qWait(350);
    turnOfAnother = holdLock();
    store->save(explained("patch"), {});
    EXPECT_TRUE(store->failedDocuments().isEmpty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return failed.size() == 1; }, 5000));
    EXPECT_TRUE(failed[0][1].toString().contains(QStringLiteral("一直占着单词本")));
    turnOfAnother.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return recovered.size() == 1; }, 5000));
    EXPECT_EQ(headwords(wordsOnDisk()), (QStringList{"harbor", "patch"}));
}

// Another process saved the word anew while this one's save waited: the next turn here folds
// this copy, and its sentence, into the other's, and a sentence the user then deletes from the
// word they saw goes from the word kept.
TEST_F(WordStoreTurnsTest, aSentenceDeletedFromAWordFoldedAwayGoesFromTheWordKept)
{
    open();
    store->setLockWait(0ms, 5s);
    {
        const auto turnOfAnother = holdLock();
        store->save(explained("harbor", "The harbor is calm."), {});
    }
    const WordEntry seen = store->entries()[0];
    other()->save(explained("harbor", "The harbor is calm."), {});
    store->deleteExample(seen.examples[0].id, seen.id);
    EXPECT_TRUE(store->isSaved());
    ASSERT_EQ(wordsOnDisk().size(), 1);
    EXPECT_NE(wordsOnDisk()[0].id, seen.id);
    EXPECT_TRUE(wordsOnDisk()[0].examples.isEmpty());
}

// A sync pass made while the save waited took this copy under its own id; after the fold, the
// next pass can bring that id back as the word kept, the other copy gone. A review and a delete
// of the word then act on it, not on the copy it was once folded into.
TEST_F(WordStoreTurnsTest, aFoldedIdThatASyncBringsBackActsOnItself)
{
    open();
    store->setLockWait(0ms, 5s);
    SyncBundle server;
    {
        const auto turnOfAnother = holdLock();
        store->save(explained("harbor"), {});
        server = store->snapshot();
    }
    const QUuid ours = store->entries()[0].id;
    other()->save(explained("harbor"), {});
    ASSERT_TRUE(store->writeHeldBack(0ms));
    ASSERT_NE(wordsOnDisk().value(0).id, ours); // folded into the other's copy
    SyncBundle merged = store->snapshot();
    merged.words = server.words;
    store->applySync(merged);
    ASSERT_EQ(wordsOnDisk().value(0).id, ours);

    store->applyReview(ours, Rating::good, "review");
    EXPECT_TRUE(wordsOnDisk().value(0).review.has_value());
    store->deleteWord(ours);
    EXPECT_TRUE(wordsOnDisk().isEmpty());
    EXPECT_TRUE(store->entries().isEmpty());
}

// An editor that saves over words.json in place leaves nothing of the file the waiting change
// was made on: it goes on top of what the word book held when it began to wait, so the lookup
// counts once and the word the editor removed stays away.
TEST_F(WordStoreTurnsTest, aWaitingChangeGoesOnTopOfAFileRewrittenInPlace)
{
    WordEntry ferry = word("ferry");
    ferry.lookupCount = 5;
    open({ferry, word("harbor")});
    store->setLockWait(0ms, 5s);
    {
        const auto turnOfAnother = holdLock();
        store->recordLookup(explained("ferry"), {});
        QFile file(folder.path("words.json"));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite | QIODevice::Truncate));
        file.write(QJsonDocument(Json::toArray(QList{ferry})).toJson());
    }
    store->refresh();
    EXPECT_TRUE(store->isSaved());
    ASSERT_EQ(headwords(wordsOnDisk()), QStringList{"ferry"});
    EXPECT_EQ(wordsOnDisk()[0].lookupCount, 6);
}

// A log line waits for a turn as a change does, and the end writes it; with nothing waiting the
// end takes no turn, however long another process keeps its own.
TEST_F(WordStoreTurnsTest, aLogLineWaitsForATurnAndTheEndWritesIt)
{
    open({word("ferry")});
    store->setLockWait(0ms, 5s);
    auto turnOfAnother = holdLock();
    QElapsedTimer waited;
    waited.start();
    EXPECT_TRUE(store->writeHeldBack(10s));
    EXPECT_LT(waited.elapsed(), 5000);
    store->logEvent("glance", "ferry");
    EXPECT_FALSE(folder.exists("learning-log.jsonl"));
    turnOfAnother.reset();
    EXPECT_TRUE(store->writeHeldBack(1s));
    EXPECT_EQ(logged(), QStringList{"glance"});
}
