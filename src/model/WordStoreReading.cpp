// The word book's side of reading: the documents at load, and what other processes wrote since,
// taken in at a turn, with the changes that wait for their turn put on top of it.
#include "model/WordStore.h"

#include "model/DayKey.h"
#include "model/ElementDecoder.h"
#include "model/JsonDocumentReader.h"
#include "model/OnTop.h"

#include <QFileInfo>
#include <QScopedValueRollback>

#include <chrono>
#include <vector>

namespace glossivo {

namespace {

// One bad record makes the whole document unusable: it is marked damaged, to be kept aside
// before the next write replaces it. None for a document that is missing or damaged.
template <class T> std::optional<QList<T>> readList(DocumentFile& file)
{
    const std::optional<QByteArray> bytes = file.read();
    if (!bytes) return std::nullopt;
    try {
        return JsonDocumentReader(*bytes).objectList<T>("element");
    } catch (const JsonError&) {
        file.markDamaged();
        return std::nullopt;
    }
}

// The document as it was last read or written here: the base that a waiting change and another
// process's turn both started from. Empty where it is not known.
template <class T> QList<T> lastKnownList(const DocumentFile& file)
{
    const std::optional<QByteArray> bytes = file.lastKnown();
    if (!bytes || bytes->isEmpty()) return {};
    try {
        return JsonDocumentReader(*bytes).objectList<T>("element");
    } catch (const JsonError&) {
        return {};
    }
}

std::optional<ReviewStats> readStats(const std::optional<QByteArray>& bytes)
{
    if (!bytes || bytes->isEmpty()) return std::nullopt;
    try {
        return ReviewStats::fromJson(JsonDocumentReader(*bytes).object());
    } catch (const JsonError&) {
        return std::nullopt;
    }
}
} // namespace

void WordStore::load()
{
    m_stats = ReviewStats{DayKey::of(m_clock.now()), 0, 0};
    // Read in a turn, so as not to read half of another process's. While another holds the
    // lock, the word book is read anyway, without waiting, and read again at the first turn that
    // may take it in.
    m_readAll = true;
    {
        const QScopedValueRollback noWait(m_turns.wait(), std::chrono::milliseconds(0));
        const Turn turn(*this);
    }
    if (m_readAll)
        for (Document document : kDocuments)
            readDocument(document, true);
    m_log.removeLeftovers();
    for (Document document : kDocuments) {
        DocumentFile& loaded = file(document);
        if (const auto copy = loaded.keepAside())
            m_keptAside.insert(QFileInfo(loaded.path()).fileName(), *copy);
    }
}

std::optional<QList<WordEntry>> WordStore::readWords()
{
    TextFile wordsFile;
    const auto words = m_wordsFile.read(&wordsFile);
    if (!words) return std::nullopt;
    // A document this program wrote is read word by word from the texts that the encoder then
    // keeps; any other, or one with a bad word, is read whole by the strict reader.
    std::optional<QByteArrayList> texts = CachedArrayEncoder<WordEntry>::elementTexts(*words);
    std::optional<QList<WordEntry>> entries;
    if (texts) entries = decodeElements<WordEntry>(*texts);
    if (!entries) {
        try {
            entries = JsonDocumentReader(*words).objectList<WordEntry>("element");
        } catch (const JsonError&) {
            m_wordsFile.markDamaged();
            return std::nullopt;
        }
    }
    m_wordsEncoder.seed(*entries, *words, std::move(texts), m_wordsFile.isAsWritten(),
                        std::move(wordsFile));
    return entries;
}

void WordStore::readDocument(Document document, bool atLoad)
{
    const auto take = [atLoad](auto& list, auto read) {
        if (read)
            list = std::move(*read);
        else if (atLoad)
            list.clear();
    };
    switch (document) {
    case Document::words:
        take(m_entries, readWords());
        m_families.rebuild(m_entries);
        return;
    case Document::notes:
        return take(m_sentenceNotes, readList<AINote>(m_notesFile));
    case Document::grammar:
        return take(m_grammarEncounters, readList<GrammarEncounter>(m_grammarFile));
    case Document::affixes:
        return take(m_affixEncounters, readList<AffixEncounter>(m_affixesFile));
    case Document::deleted: {
        std::optional<QList<Tombstone>> read = readList<Tombstone>(m_deletedFile);
        if (read) read = Tombstone::once(*read);
        return take(m_deleted, std::move(read));
    }
    case Document::stats:
        if (const auto stored = readTodaysStats()) m_stats = *stored;
        return;
    }
}

// Yesterday's counters are simply not today's: nothing is lost by dropping them.
std::optional<ReviewStats> WordStore::readTodaysStats()
{
    const std::optional<QByteArray> bytes = m_statsFile.read();
    if (!bytes) return std::nullopt;
    const std::optional<ReviewStats> stored = readStats(bytes);
    if (!stored) m_statsFile.markDamaged();
    if (!stored || stored->day != DayKey::of(m_clock.now())) return std::nullopt;
    return stored;
}

void WordStore::takeInChanges()
{
    std::vector<Document> changed;
    for (Document document : kDocuments)
        if (m_readAll || file(document).isChangedOnDisk()) changed.push_back(document);
    m_readAll = false;
    if (changed.empty()) return;
    Q_EMIT willChange();
    // A document whose own last write failed holds changes that exist only in memory: neither
    // they nor what another process wrote since may be lost when it is finally written.
    for (Document document : changed) {
        if (m_failing.count(document))
            putOnTop(document);
        else
            readDocument(document, false);
    }
}

// A document on disk that is missing or damaged has nothing to go on top of: ours is written
// back (a damaged one copied aside first). What is on disk now is the base of what still waits.
void WordStore::putOnTop(Document document)
{
    const bool baseKnown = m_baseKnown.count(document);
    DocumentFile& source = file(document);
    // The base is taken before the read, which makes what is read the file last known.
    const auto onTop = [&](auto& list, auto& base, const auto& merge, const auto& read) {
        using T = typename std::decay_t<decltype(list)>::value_type;
        const QList<T> from = baseKnown ? base : lastKnownList<T>(source);
        if (const auto theirs = read()) {
            list = merge(from, list, *theirs);
            base = *theirs;
            m_baseKnown.insert(document);
        }
    };
    const auto folding = [this](const auto& merge) {
        return [this, merge](const auto& base, const auto& ours, const auto& theirs) {
            return merge(base, ours, theirs, m_foldedInto);
        };
    };
    switch (document) {
    case Document::words:
        onTop(m_entries, m_base.words, folding(OnTop::words), [this] { return readWords(); });
        m_families.rebuild(m_entries);
        return;
    case Document::notes:
        return onTop(m_sentenceNotes, m_base.notes, OnTop::notes,
                     [&] { return readList<AINote>(source); });
    case Document::grammar:
        return onTop(m_grammarEncounters, m_base.grammar, folding(OnTop::grammar),
                     [&] { return readList<GrammarEncounter>(source); });
    case Document::affixes:
        return onTop(m_affixEncounters, m_base.affixes, folding(OnTop::affixes),
                     [&] { return readList<AffixEncounter>(source); });
    case Document::deleted:
        return onTop(m_deleted, m_base.deleted, OnTop::deleted,
                     [&] { return readList<Tombstone>(source); });
    case Document::stats: {
        const std::optional<ReviewStats> base =
            baseKnown ? m_base.stats : readStats(source.lastKnown());
        if (const auto theirs = readTodaysStats()) {
            m_stats = OnTop::stats(base, m_stats, *theirs);
            m_base.stats = theirs;
            m_baseKnown.insert(document);
        }
        return;
    }
    }
}

// Before its changes, a document held what the turn found in memory when the turn could not
// take anything in, and else what it last read or wrote, which it took in at the turn's start.
void WordStore::keepBase(Document document)
{
    const DocumentFile& source = file(document);
    const auto keep = [&](auto list) {
        using T = typename std::decay_t<decltype(m_base.*list)>::value_type;
        m_base.*list = m_turnStart ? *m_turnStart.*list : lastKnownList<T>(source);
    };
    switch (document) {
    case Document::words:
        keep(&SyncBundle::words);
        break;
    case Document::notes:
        keep(&SyncBundle::notes);
        break;
    case Document::grammar:
        keep(&SyncBundle::grammar);
        break;
    case Document::affixes:
        keep(&SyncBundle::affixes);
        break;
    case Document::deleted:
        keep(&SyncBundle::deleted);
        break;
    case Document::stats:
        m_base.stats = m_turnStart ? m_turnStart->stats : readStats(source.lastKnown());
        break;
    }
    m_baseKnown.insert(document);
}

} // namespace glossivo
