#pragma once

#include "model/AINote.h"
#include "model/AffixEncounter.h"
#include "model/AppPaths.h"
#include "model/Clock.h"
#include "model/DocumentFile.h"
#include "model/GrammarEncounter.h"
#include "model/ReviewStats.h"
#include "model/Tombstone.h"
#include "model/WordEntry.h"

#include <QObject>

#include <optional>

namespace glossivo {

// The word book: saved words, sentence notes, grammar and affix encounters, deletion records
// and today's counters. The lists in memory are the truth while the program runs; every
// operation writes the documents it changed before it returns.
class WordStore : public QObject {
    Q_OBJECT

public:
    WordStore(const AppPaths& paths, const Clock& clock, QObject* parent = nullptr);

    // The process's word book over the data folder; loaded at first use.
    static WordStore& shared();

    const QList<WordEntry>& entries() const { return m_entries; } // newest first
    const QList<AINote>& sentenceNotes() const { return m_sentenceNotes; }
    const QList<GrammarEncounter>& grammarEncounters() const { return m_grammarEncounters; }
    const QList<AffixEncounter>& affixEncounters() const { return m_affixEncounters; }
    const QList<Tombstone>& deleted() const { return m_deleted; }
    const ReviewStats& stats() const { return m_stats; }

    // Position in entries of the word, compared trimmed of blanks and tabs and in lower case;
    // the newest entry wins when several share a headword.
    std::optional<qsizetype> index(const QString& word) const;

Q_SIGNALS:
    // Fires before any of the published lists or the counters change (not for deleted alone).
    void willChange();

private:
    const Clock& clock() const { return m_clock; }

    void writeEntries();
    void writeSentenceNotes();
    void writeGrammar();
    void writeAffixes();
    void writeDeleted();
    void writeStats();

    QList<WordEntry> m_entries;
    QList<AINote> m_sentenceNotes;
    QList<GrammarEncounter> m_grammarEncounters;
    QList<AffixEncounter> m_affixEncounters;
    QList<Tombstone> m_deleted;
    ReviewStats m_stats;

private:
    void load();

    const Clock& m_clock;
    DocumentFile m_wordsFile;
    DocumentFile m_notesFile;
    DocumentFile m_grammarFile;
    DocumentFile m_affixesFile;
    DocumentFile m_deletedFile;
    DocumentFile m_statsFile;
};

} // namespace glossivo
