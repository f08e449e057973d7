#include "model/WordStore.h"

#include "model/ConfigStore.h"
#include "model/DayKey.h"
#include "model/ElementDecoder.h"
#include "model/HeadwordKey.h"
#include "model/JsonDocumentReader.h"
#include "model/JsonFields.h"
#include "model/OnTop.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QScopedValueRollback>

#include <algorithm>
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

template <class T> bool writeList(DocumentFile& file, const QList<T>& list)
{
    return file.write(QJsonDocument(Json::toArray(list)).toJson(QJsonDocument::Indented));
}

AppConfig defaultConfig()
{
    return AppConfig();
}

std::function<void(WordStore&)>& sharedConnector()
{
    static std::function<void(WordStore&)> connect;
    return connect;
}

} // namespace

WordStore::WordStore(const AppPaths& paths, const Clock& clock, QObject* parent)
    : WordStore(paths, clock, defaultConfig, parent)
{}

WordStore::WordStore(const AppPaths& paths, const Clock& clock, ConfigSource config,
                     QObject* parent)
    : QObject(parent), m_clock(clock), m_config(std::move(config)), m_log(paths.log(), clock),
      m_wordsFile(paths.words()), m_notesFile(paths.notes()), m_grammarFile(paths.grammar()),
      m_affixesFile(paths.affixes()), m_deletedFile(paths.deleted()),
      m_statsFile(paths.reviewStats()), m_turns(paths.wordBookLock(), [this] { takeInChanges(); })
{
    connect(&m_turns, &WordBookTurns::retryDue, this, &WordStore::refresh);
    load();
}

WordStore& WordStore::shared()
{
    static WordStore* store = [] {
        auto* made = new WordStore(AppPaths::shared(), Clock::system(),
                                   [] { return ConfigStore::shared().config(); });
        made->setStudySettingsSink(
            [](const StudySettings& settings) { ConfigStore::shared().applySync(settings); });
        if (sharedConnector()) sharedConnector()(*made);
        return made;
    }();
    return *store;
}

void WordStore::setSharedConnector(std::function<void(WordStore&)> connect)
{
    sharedConnector() = std::move(connect);
}

// The sizes come unchecked from "config.json" and from other devices. A negative count means
// nothing sensible, and a round cut to a negative length must not fail, so it counts as 0.
AppConfig WordStore::config() const
{
    AppConfig config = m_config();
    for (int* size :
         {&config.learningSlots, &config.dailyNewLimit, &config.sessionSize, &config.dormantDays})
        *size = std::max(0, *size);
    return config;
}

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
    case Document::deleted:
        return take(m_deleted, readList<Tombstone>(m_deletedFile));
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

void WordStore::refresh()
{
    if (m_turns.isUnderWay()) return; // the turn under way takes it all in and writes it
    const QScopedValueRollback waitFor(m_turns.wait(), std::chrono::milliseconds(0));
    const Turn turn(*this);
    if (!m_failing.empty() || m_log.hasWaiting()) write({});
}

bool WordStore::writeHeldBack(std::chrono::milliseconds wait)
{
    if (isSaved()) return true;
    if (m_turns.isUnderWay()) return false;
    const QScopedValueRollback waitFor(m_turns.wait(), wait);
    const Turn turn(*this);
    write({});
    return isSaved();
}

WordStore::Turn::Turn(WordStore& store) : m_store(store)
{
    m_store.m_turns.begin();
}

WordStore::Turn::~Turn()
{
    m_store.m_turns.end();
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
// back (a damaged one copied aside first).
void WordStore::putOnTop(Document document)
{
    // The base is read before the file read replaces it.
    const auto onTop = [](auto& list, const auto& merge, DocumentFile& source) {
        using T = typename std::decay_t<decltype(list)>::value_type;
        const QList<T> base = lastKnownList<T>(source);
        if (const auto theirs = readList<T>(source)) list = merge(base, list, *theirs);
    };
    switch (document) {
    case Document::words: {
        const QList<WordEntry> base = lastKnownList<WordEntry>(m_wordsFile);
        if (const auto theirs = readWords()) m_entries = OnTop::words(base, m_entries, *theirs);
        m_families.rebuild(m_entries);
        return;
    }
    case Document::notes:
        return onTop(m_sentenceNotes, OnTop::notes, m_notesFile);
    case Document::grammar:
        return onTop(m_grammarEncounters, OnTop::grammar, m_grammarFile);
    case Document::affixes:
        return onTop(m_affixEncounters, OnTop::affixes, m_affixesFile);
    case Document::deleted:
        return onTop(m_deleted, OnTop::deleted, m_deletedFile);
    case Document::stats: {
        const std::optional<ReviewStats> base = readStats(m_statsFile.lastKnown());
        if (const auto theirs = readTodaysStats()) m_stats = OnTop::stats(base, m_stats, *theirs);
        return;
    }
    }
}

SyncBundle WordStore::lists() const
{
    SyncBundle bundle;
    bundle.format = 1;
    bundle.words = m_entries;
    bundle.notes = m_sentenceNotes;
    bundle.grammar = m_grammarEncounters;
    bundle.affixes = m_affixEncounters;
    bundle.deleted = m_deleted;
    bundle.stats = m_stats;
    return bundle;
}

namespace {

// Whether the headword in lower case is the wanted key, without making the lower-case copy for
// the ASCII headwords that nearly every word book is made of: a lookup passes every word.
bool lowerCaseEquals(const QString& headword, const QString& wanted)
{
    for (qsizetype i = 0; i < headword.size(); ++i) {
        const char16_t c = headword[i].unicode();
        if (c >= 0x80) return headword.toLower() == wanted;
        const char16_t lower = c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
        if (i >= wanted.size() || wanted[i].unicode() != lower) return false;
    }
    return headword.size() == wanted.size();
}

} // namespace

std::optional<qsizetype> WordStore::index(const QString& word) const
{
    const QString wanted = HeadwordKey::of(word);
    for (qsizetype i = 0; i < m_entries.size(); ++i)
        if (lowerCaseEquals(m_entries[i].headword, wanted)) return i;
    return std::nullopt;
}

std::optional<qsizetype> WordStore::position(const QUuid& id) const
{
    for (qsizetype i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].id == id) return i;
    return std::nullopt;
}

int WordStore::learningCount() const
{
    return static_cast<int>(std::count_if(m_entries.begin(), m_entries.end(), [](const auto& e) {
        return e.stage == Stage::learning;
    }));
}

DocumentFile& WordStore::file(Document document)
{
    switch (document) {
    case Document::words:
        return m_wordsFile;
    case Document::notes:
        return m_notesFile;
    case Document::grammar:
        return m_grammarFile;
    case Document::affixes:
        return m_affixesFile;
    case Document::deleted:
        return m_deletedFile;
    case Document::stats:
        return m_statsFile;
    }
    Q_UNREACHABLE();
}

bool WordStore::writeWords()
{
    FileDescriptor written;
    bool ok = m_wordsFile.write(
        m_wordsEncoder.pieces(m_entries), [this] { return m_wordsEncoder.sourceUnchanged(); },
        &written);
    if (!ok && !m_wordsEncoder.sourceUnchanged()) {
        // The last file changed while its words were copied: every word is encoded anew.
        m_wordsEncoder.finishWrite({});
        m_wordsEncoder.distrustFile();
        ok = m_wordsFile.write(m_wordsEncoder.pieces(m_entries), {}, &written);
    }
    m_wordsEncoder.finishWrite(std::move(written));
    return ok;
}

bool WordStore::writeDocument(Document document)
{
    DocumentFile& target = file(document);
    switch (document) {
    case Document::words:
        return writeWords();
    case Document::notes:
        return writeList(target, m_sentenceNotes);
    case Document::grammar:
        return writeList(target, m_grammarEncounters);
    case Document::affixes:
        return writeList(target, m_affixEncounters);
    case Document::deleted:
        return writeList(target, m_deleted);
    case Document::stats:
        return target.write(QJsonDocument(m_stats.toJson()).toJson(QJsonDocument::Indented));
    }
    Q_UNREACHABLE();
}

void WordStore::write(std::initializer_list<Document> changed)
{
    Q_ASSERT(m_turns.isUnderWay());
    std::set<Document> due = m_failing;
    due.insert(changed.begin(), changed.end());
    // Held back by another process's turn, the changes wait for a later one of ours, and count
    // as failed only once they have waited longer than the patience allows.
    m_waiting = m_turns.holdBack();
    const std::optional<QString>& lockError = m_turns.error();
    for (Document document : due) {
        const bool written = !lockError && writeDocument(document);
        if (written)
            m_failing.erase(document);
        else
            m_failing.insert(document);
        const DocumentFile& target = file(document);
        if (!m_waiting)
            report(QFileInfo(target.path()).fileName(), written,
                   lockError.value_or(target.lastError()));
    }
    if (m_failing.empty() && m_log.hasWaiting())
        report(QFileInfo(m_log.path()).fileName(), m_log.flush(), m_log.lastError());
    if (isSaved()) m_waiting = false;
    Q_EMIT saveStateChanged();
}

void WordStore::report(const QString& document, bool written, const QString& error)
{
    const bool known = m_failedDocuments.contains(document);
    if (written && known) {
        m_failedDocuments.remove(document);
        Q_EMIT writeRecovered(document);
    } else if (!written && !known) {
        m_failedDocuments.insert(document, error);
        Q_EMIT writeFailed(document, error);
    }
}

} // namespace glossivo
