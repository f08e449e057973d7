#pragma once

#include "model/AINote.h"
#include "model/AffixEncounter.h"
#include "model/AppConfig.h"
#include "model/AppPaths.h"
#include "model/CachedArrayEncoder.h"
#include "model/Clock.h"
#include "model/DocumentFile.h"
#include "model/Explanation.h"
#include "model/GrammarEncounter.h"
#include "model/LearningLog.h"
#include "model/MnemonicSource.h"
#include "model/OnTop.h"
#include "model/PageSource.h"
#include "model/Rating.h"
#include "model/ReviewOutcome.h"
#include "model/ReviewStats.h"
#include "model/SpellMode.h"
#include "model/Tombstone.h"
#include "model/Unlock.h"
#include "model/WordBookTurns.h"
#include "model/WordEntry.h"
#include "model/WordFamilyIndex.h"
#include "sync/SyncBundle.h"

#include <QMap>
#include <QObject>
#include <QPointer>

#include <algorithm>
#include <chrono>
#include <functional>
#include <initializer_list>
#include <optional>
#include <set>
#include <vector>

namespace glossivo {

// The word book: saved words, sentence notes, grammar and affix encounters, deletion records
// and today's counters. The lists in memory are the truth while the program runs; every
// operation writes the documents it changed, then appends its learning-log events, before it
// returns. A document that cannot be written keeps its changes in memory and is tried again at
// the next write of any document; the log's events wait until every document is on disk, so
// that the log never tells of a change that a kill could lose.
//
// Other Glossivo processes may use the same data folder (the tray program and a command-line
// mode, say). Every operation that changes the word book is one turn (WordBookTurns): it holds
// the folder's lock, first takes in the documents another process wrote since this one last read
// or wrote them, then changes and writes, so that no process writes over a change it never saw.
// A turn that cannot have the lock takes nothing in and writes nothing: its documents fail, with
// the reason, as a full disk makes them fail. A failing document keeps its unwritten changes, and
// when another process wrote it meanwhile, they are put on top of what it wrote (OnTop) at the
// next turn, as if they had been made then, so that neither is lost.
//
// Arguments are taken by value where a caller may hand a part of the lists themselves (an id
// from entries()): a turn that takes in another process's change replaces the lists.
class WordStore : public QObject {
    Q_OBJECT

public:
    // Where the store reads the current configuration, once per operation.
    using ConfigSource = std::function<AppConfig()>;
    // Where study settings that came from another device are handed over.
    using StudySettingsSink = std::function<void(const StudySettings&)>;

    struct Saved {
        WordEntry entry;
        Unlock unlock;
    };

    // One turn at the word book (see above), for as long as it lives; turns nest, and only the
    // outermost one takes the lock. Operations hold their own; a caller holds one around several
    // of them that must see nothing of another process in between (a sync's snapshot and the
    // merged result it applies). Never across a wait for anything else.
    class Turn {
    public:
        explicit Turn(WordStore& store);
        ~Turn();
        Turn(const Turn&) = delete;
        Turn& operator=(const Turn&) = delete;

    private:
        WordStore& m_store;
    };

    // Works with the default configuration.
    WordStore(const AppPaths& paths, const Clock& clock, QObject* parent = nullptr);
    WordStore(const AppPaths& paths, const Clock& clock, ConfigSource config,
              QObject* parent = nullptr);

    // The process's word book over the data folder, with ConfigStore::shared()'s configuration;
    // loaded at first use, then handed to the shared connector.
    static WordStore& shared();
    // How the composition root joins the process's word book to the services of other
    // subsystems (a source of memory tips): called once, right after the first use of shared()
    // loaded it. Set before that first use.
    static void setSharedConnector(std::function<void(WordStore&)> connect);

    const QList<WordEntry>& entries() const { return m_entries; } // newest first
    const QList<AINote>& sentenceNotes() const { return m_sentenceNotes; }
    const QList<GrammarEncounter>& grammarEncounters() const { return m_grammarEncounters; }
    const QList<AffixEncounter>& affixEncounters() const { return m_affixEncounters; }
    const QList<Tombstone>& deleted() const { return m_deleted; }
    // Today's counters as they stand; a new day starts them at the next fill or review.
    const ReviewStats& stats() const { return m_stats; }
    int learningCount() const;

    // The documents (file names such as "words.json" or "learning-log.jsonl") whose last write
    // failed and whose changes so far live in memory only.
    QStringList failedDocuments() const { return m_failedDocuments.keys(); }
    // Why the document's last write failed; empty for a document that is not failing.
    QString writeError(const QString& document) const { return m_failedDocuments.value(document); }

    // The documents that could not be read at load (file name such as "words.json" -> the copy
    // of their content kept aside); they are empty in memory until the user's next change.
    const QMap<QString, QString>& keptAside() const { return m_keptAside; }

    // Takes in what other processes wrote to the documents since this one last read or wrote
    // them (announced by willChange); nothing when they did not. Never waits for another
    // process: when its lock is free, it also writes the changes that another turn held back.
    void refresh();
    // Writes the changes that other processes' turns held back, waiting at most that long for
    // the lock: before the program ends, so that they are not lost with it. Whether everything
    // is on disk now; takes no turn when nothing waits.
    bool writeHeldBack(std::chrono::milliseconds wait);
    // Where the data folder's file system cannot lock at all, whether this process changes the
    // word book anyway. The tray program does: it is the one process that keeps the word book
    // open and, as a command-line mode refuses there, the only one that writes. Off by default.
    void setWritesWithoutLocks(bool writes) { m_turns.setWritesWithoutLocks(writes); }
    // How long a turn waits for another process's (by default long enough for a command-line
    // mode to have its turn among ten others on a large word book), and how long the changes
    // that other turns held back keep waiting for a later one, retried a few times a second
    // without waiting, before they count as failed (by default not at all: a command-line mode
    // says so at once). A window keeps answering with a short wait and some patience.
    void setLockWait(std::chrono::milliseconds wait, std::chrono::milliseconds patience = {})
    {
        m_turns.setWait(wait, patience);
    }
    // Whether every change made so far is on disk: no document, nor the learning log, holds
    // changes in memory only.
    bool isSaved() const { return m_failing.empty() && !m_log.hasWaiting(); }
    // Whether the changes not on disk wait for another process's turn to end: a window says it
    // waits rather than that it saved or failed. Past the patience they are reported as failed
    // too (writeFailed), yet still written by themselves as soon as that turn ends.
    bool isWaiting() const { return !isSaved() && isHeldBack(); }
    // Whether another process's turn holds back changes not on disk: they are tried again by
    // themselves a few times a second (other failing writes are tried again with the next one).
    bool isHeldBack() const { return m_turns.isHeldBack(); }

    // Position in entries of the word: the first entry whose headword in lower case (stored
    // headwords are not trimmed) equals the word's HeadwordKey; so the newest wins.
    std::optional<qsizetype> index(const QString& word) const;
    // Whether the word is in the word book on disk, as this process last wrote or read it: a
    // word saved here whose write still waits (or failed) is not there yet.
    bool isOnDisk(const QString& word) const;

    // Saving and meeting words.
    // A new word enters at the front with its sentence, encounter and unlocks; a word already
    // saved only gains the sentence as a further example.
    Saved save(const Explanation& explanation, const PageSource& source);
    // Another meeting with a saved word: counts it, records where and what was met, and wakes
    // it when it was dormant. The empty unlock for a word that is not saved.
    Unlock recordLookup(const Explanation& explanation, const PageSource& source);
    void addNote(AINote note, QString toWord);
    void addSentenceNote(AINote note);
    // Appends an event to the learning log in a turn of its own, so that it lands in the log
    // that stays whatever another process does with the log meanwhile; like any change, it
    // waits for a turn while another process has one.
    void logEvent(const QString& kind, const QString& word,
                  const std::optional<QString>& detail = std::nullopt);
    // The other saved words sharing the word's root, in word-book order.
    QList<WordEntry> family(const WordEntry& entry) const;

    // Learning slots and review rounds.
    // Brings rested words back, trims the slots to their number and lets new words join at the
    // daily pace (extra > 0 replaces the day's quota); the number that joined.
    int fillSlots(int extra);
    // Fills the slots, then the ids of one round: due words, most forgotten first, then words
    // never reviewed.
    QList<QUuid> buildSession(int extraNew);
    // Puts a word into a free slot by hand, outside the daily quota.
    bool startLearning(QUuid id);
    void rest(QUuid id, int days);
    void setWantToLearn(QUuid id, bool flag);

    // Grading.
    // One FSRS step with today's statistics; graduates a learning word whose stability reached
    // graduateDays, or marks a leech (and asks for a memory tip) when its lapses reach the
    // threshold.
    ReviewOutcome applyReview(QUuid id, Rating rating, const QString& kind);
    // Starts, without waiting for it, a request for a memory tip, stored on the word when the
    // answer comes. Nothing without a mnemonic source or when the word already has a tip.
    void requestMnemonic(const QUuid& id);
    // Up to five most frequent source keys, then up to eight recent page titles.
    QStringList topInterests() const;
    // Not owned; it must outlive the store's requests. None: no tip is ever requested.
    void setMnemonicSource(MnemonicSource* source) { m_mnemonicSource = source; }

    // Spelling practice.
    // Saves the word when it is new (as met in "常拼") and puts it on the spelling list.
    WordEntry addSpellPractice(const Explanation& explanation);
    int spellPracticeCount() const;
    // Up to `size` words of the spelling list, the longest unspelled first.
    QList<QUuid> buildSpellingSession(int size) const;
    // Moves the spelling level (up on good or easy, down on again) and returns the new level;
    // 0 for a word that is not in the word book.
    int applySpelling(QUuid id, Rating rating);
    void setSpellPractice(QUuid id, bool on);

    // Waits until the word texts taken from the file at load are checked on their thread, so
    // that nothing of the load still runs (for measuring what follows).
    void finishLoading() { m_wordsEncoder.finishChecking(); }

    // Sync and deletions.
    // Everything that is synchronised, as it stands now; changes nothing.
    SyncBundle snapshot();
    // Takes over a merged document: the lists wholesale, the counters only when they are
    // today's, the log lines, and study settings that differ from the local ones.
    void applySync(const SyncBundle& bundle);
    void setStudySettingsSink(StudySettingsSink sink) { m_studySettingsSink = std::move(sink); }
    // Each removes the record and leaves a tombstone, so that every device drops it too; the
    // tombstone is left even when no record matched. Removing an example or a note from a word
    // that is not in the word book does nothing at all.
    void deleteWord(QUuid id);
    void deleteSentenceNote(QUuid id);
    void deleteGrammarEncounter(QUuid id);
    void deleteExample(QUuid exampleId, QUuid wordId);
    void deleteNote(QUuid noteId, QUuid wordId);
    std::set<GrammarPoint> unlockedGrammar() const;
    std::set<Affix> unlockedAffixes() const;

Q_SIGNALS:
    // Fires before any of the published lists or the counters change (not for deleted alone).
    void willChange();
    // A document could not be written: once when it starts failing, not again for the retries
    // until one of them succeeds.
    void writeFailed(const QString& document, const QString& error);
    // A document that had failed was written.
    void writeRecovered(const QString& document);
    // isSaved(), isWaiting() or failedDocuments() may have changed: after every write.
    void saveStateChanged();

private:
    // The configuration with its sizes made usable.
    AppConfig config() const;
    // The id that stands for the record now among these records: a word, sentence or encounter
    // that a turn folded into the disk's copy of the same thing is found under the copy's id,
    // so that what the user does to the word they saw acts on the word kept. An id that stands
    // acts on itself: a sync can bring back a folded id as the one kept, the copy gone.
    template <class T> QUuid kept(QUuid id, const QList<T>& records) const
    {
        const auto stands = [&records](const QUuid& candidate) {
            return std::any_of(records.begin(), records.end(),
                               [&](const T& record) { return record.id == candidate; });
        };
        // A chain ends, but a sync can close one into a ring; the bound makes sure of it.
        for (qsizetype step = 0; step <= m_foldedInto.size() && !stands(id); ++step) {
            const auto into = m_foldedInto.constFind(id);
            if (into == m_foldedInto.cend()) break;
            id = *into;
        }
        return id;
    }
    // Position in entries of the word with the id, or of the word it was folded into.
    std::optional<qsizetype> position(const QUuid& id) const;

    void markEncounter(qsizetype position, const PageSource& source);
    Unlock recordEncounter(qsizetype position, const Explanation& explanation,
                           const PageSource& source, bool isNewWord);
    void recordGrammar(const Explanation& explanation, const QString& surface,
                       const PageSource& source, Unlock& unlock);
    void recordAffixes(WordEntry& entry, const Explanation& explanation, Unlock& unlock);

    void refreshStatsDay();
    void returnRestedWords(const QDateTime& now);
    void trimSlots(int learningSlots, const QDateTime& now);
    QList<qsizetype> joinCandidates(const AppConfig& config, const QDateTime& now) const;

    void bury(const QUuid& id);

    static QCoro::Task<> storeMnemonic(QPointer<WordStore> store, MnemonicSource* source,
                                       WordEntry entry, QStringList knownWords,
                                       QStringList interests);

    enum class Document { words, notes, grammar, affixes, deleted, stats };
    static constexpr Document kDocuments[] = {Document::words,   Document::notes,
                                              Document::grammar, Document::affixes,
                                              Document::deleted, Document::stats};
    // Writes the documents, then every other one whose last write failed, then the learning-log
    // events held so far when no document is failing.
    void write(std::initializer_list<Document> changed);
    void writeEntries() { write({Document::words}); }
    void writeSentenceNotes() { write({Document::notes}); }
    void writeGrammar() { write({Document::grammar}); }
    void writeAffixes() { write({Document::affixes}); }
    void writeDeleted() { write({Document::deleted}); }
    void writeStats() { write({Document::stats}); }
    bool writeDocument(Document document);
    DocumentFile& file(Document document);
    bool writeWords();
    void report(const QString& document, bool written, const QString& error);
    void load();
    // Reads the document into memory. At load, one that is missing or damaged is empty; later,
    // such a file leaves memory as it is, to be written back (a damaged one copied aside first).
    void readDocument(Document document, bool atLoad);
    std::optional<QList<WordEntry>> readWords();
    // Today's counters as the file holds them; none for another day's, a missing or damaged
    // file (marked so).
    std::optional<ReviewStats> readTodaysStats();
    void takeInChanges();
    // The failing document's changes put on top of what another process wrote to it.
    void putOnTop(Document document);
    // Keeps, as the document starts failing, what it held before its changes: the base they
    // are put on top of later, whatever becomes of the file meanwhile (an edit in place).
    void keepBase(Document document);
    // The documents' lists as they stand, as a document of the sync merge.
    SyncBundle lists() const;

    QList<WordEntry> m_entries;
    QList<AINote> m_sentenceNotes;
    QList<GrammarEncounter> m_grammarEncounters;
    QList<AffixEncounter> m_affixEncounters;
    QList<Tombstone> m_deleted;
    ReviewStats m_stats;

    const Clock& m_clock;
    ConfigSource m_config;
    StudySettingsSink m_studySettingsSink;
    MnemonicSource* m_mnemonicSource = nullptr;
    LearningLog m_log;
    DocumentFile m_wordsFile;
    CachedArrayEncoder<WordEntry> m_wordsEncoder;
    WordFamilyIndex m_families; // of m_entries, updated with every change of it
    DocumentFile m_notesFile;
    DocumentFile m_grammarFile;
    DocumentFile m_affixesFile;
    DocumentFile m_deletedFile;
    DocumentFile m_statsFile;
    std::set<Document> m_failing;
    // The failing documents' bases (see keepBase), for those in m_baseKnown.
    SyncBundle m_base;
    std::set<Document> m_baseKnown;
    // The lists as an outermost turn that may not write found them: a base in the making.
    std::optional<SyncBundle> m_turnStart;
    OnTop::Folds m_foldedInto;
    QMap<QString, QString> m_failedDocuments; // file name -> error
    QMap<QString, QString> m_keptAside;       // file name -> copy
    WordBookTurns m_turns;
    bool m_readAll = false; // every document is to be read at the next turn that may take in
    bool m_waiting = false; // held back by another turn, within the patience: nothing reported
};

} // namespace glossivo
