// The word book's side of synchronisation: the snapshot, the merged document taken back, and
// the deletions whose tombstones tell other devices to drop the same records.
#include "model/WordStore.h"

#include "model/DayKey.h"
#include "model/JsonFields.h"

#include <algorithm>

namespace glossivo {

namespace {

template <class T> void removeById(QList<T>& list, const QUuid& id)
{
    list.removeIf([&](const T& record) { return record.id == id; });
}

} // namespace

SyncBundle WordStore::snapshot()
{
    const Turn turn(*this);
    SyncBundle bundle = lists();
    bundle.log = m_log.readLines();
    bundle.settings = m_config().studySettings();
    return bundle;
}

void WordStore::applySync(const SyncBundle& bundle)
{
    const Turn turn(*this);
    Q_EMIT willChange();
    m_entries = bundle.words;
    m_families.rebuild(m_entries);
    m_sentenceNotes = bundle.notes;
    m_grammarEncounters = bundle.grammar;
    m_affixEncounters = bundle.affixes;
    m_deleted = Tombstone::once(bundle.deleted);
    // Another day's counters say nothing about today here.
    if (bundle.stats && bundle.stats->day == DayKey::of(m_clock.now())) m_stats = *bundle.stats;

    m_log.holdReplacement(bundle.log);
    write({Document::words, Document::notes, Document::grammar, Document::affixes,
           Document::deleted, Document::stats});

    if (bundle.settings && m_studySettingsSink && m_config().studySettings() != bundle.settings)
        m_studySettingsSink(*bundle.settings);
}

// One tombstone per id: a deletion of something deleted before (a window that still showed
// it) keeps the first.
void WordStore::bury(const QUuid& id)
{
    const QString text = Json::uuidText(id);
    if (std::none_of(m_deleted.begin(), m_deleted.end(),
                     [&](const Tombstone& tombstone) { return tombstone.id == text; }))
        m_deleted.append({text, m_clock.now()});
    writeDeleted();
}

void WordStore::deleteWord(QUuid id)
{
    const Turn turn(*this);
    const QUuid word = kept(id, m_entries);
    Q_EMIT willChange();
    if (const auto at = position(word)) m_families.remove(m_entries[*at]);
    removeById(m_entries, word);
    bury(word);
    writeEntries();
}

void WordStore::deleteSentenceNote(QUuid id)
{
    const Turn turn(*this);
    Q_EMIT willChange();
    removeById(m_sentenceNotes, id);
    bury(id);
    writeSentenceNotes();
}

void WordStore::deleteGrammarEncounter(QUuid id)
{
    const Turn turn(*this);
    Q_EMIT willChange();
    const QUuid encounter = kept(id, m_grammarEncounters);
    removeById(m_grammarEncounters, encounter);
    bury(encounter);
    writeGrammar();
}

void WordStore::deleteExample(QUuid exampleId, QUuid wordId)
{
    const Turn turn(*this);
    const auto at = position(wordId);
    if (!at) return;
    Q_EMIT willChange();
    const QUuid example = kept(exampleId, m_entries[*at].examples);
    removeById(m_entries[*at].examples, example);
    bury(example);
    writeEntries();
}

void WordStore::deleteNote(QUuid noteId, QUuid wordId)
{
    const Turn turn(*this);
    const auto at = position(wordId);
    if (!at) return;
    Q_EMIT willChange();
    if (auto& notes = m_entries[*at].notes) removeById(*notes, noteId);
    bury(noteId);
    writeEntries();
}

std::set<GrammarPoint> WordStore::unlockedGrammar() const
{
    std::set<GrammarPoint> points;
    for (const GrammarEncounter& encounter : m_grammarEncounters)
        points.insert(encounter.point);
    return points;
}

std::set<Affix> WordStore::unlockedAffixes() const
{
    std::set<Affix> affixes;
    for (const AffixEncounter& encounter : m_affixEncounters)
        affixes.insert(encounter.affix);
    return affixes;
}

} // namespace glossivo
