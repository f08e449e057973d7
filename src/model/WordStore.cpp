#include "model/WordStore.h"

#include "model/ConfigStore.h"
#include "model/DayKey.h"
#include "model/ElementDecoder.h"
#include "model/HeadwordKey.h"
#include "model/JsonDocumentReader.h"
#include "model/JsonFields.h"
#include "sync/SyncMerge.h"

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

// A turn waits this long for another process's by default: a command-line mode has no window to
// keep answering, and one change of a word book of tens of megabytes takes a second, so ten
// processes at once all have their turn; short enough that a process stopped with the lock held
// is noticed.
constexpr std::chrono::seconds kLockWait(30);
// Changes that another process's turn held back are tried again this often, each time without
// waiting for the lock.
constexpr std::chrono::milliseconds kRetryInterval(250);

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
      m_statsFile(paths.reviewStats()), m_lock(paths.wordBookLock()), m_lockWait(kLockWait)
{
    m_retry.setSingleShot(true);
    m_retry.setInterval(kRetryInterval);
    connect(&m_retry, &QTimer::timeout, this, &WordStore::refresh);
    load();
}

void WordStore::setLockWait(std::chrono::milliseconds wait, std::chrono::milliseconds patience)
{
    m_lockWait = wait;
    m_patience = patience;
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
        if (const auto bytes = m_statsFile.read()) {
            try {
                const ReviewStats stored =
                    ReviewStats::fromJson(JsonDocumentReader(*bytes).object());
                // Yesterday's counters are simply not today's: nothing is lost by dropping them.
                if (stored.day == DayKey::of(m_clock.now())) m_stats = stored;
            } catch (const JsonError&) {
                m_statsFile.markDamaged();
            }
        }
        return;
    }
}

void WordStore::refresh()
{
    if (m_turns > 0) {
        if (!isSaved()) m_retry.start();
        return;
    }
    const QScopedValueRollback waitFor(m_lockWait, std::chrono::milliseconds(0));
    const Turn turn(*this);
    if (m_heldBack.isValid()) write({});
}

bool WordStore::writeHeldBack(std::chrono::milliseconds wait)
{
    if (isSaved()) return true;
    // Inside a turn (a window opened by a change, say), the turn's own writes take them along.
    if (m_turns > 0) {
        m_retry.start();
        return false;
    }
    const QScopedValueRollback waitFor(m_lockWait, wait);
    const Turn turn(*this);
    write({});
    return isSaved();
}

WordStore::Turn::Turn(WordStore& store) : m_store(store)
{
    if (m_store.m_turns++ == 0) m_store.beginTurn();
}

WordStore::Turn::~Turn()
{
    if (--m_store.m_turns == 0) m_store.m_lock.release();
}

void WordStore::beginTurn()
{
    m_lockState = m_lock.acquire(m_lockWait);
    const bool writes = m_lockState == FolderLock::State::held ||
                        (m_lockState == FolderLock::State::unsupported && m_writesWithoutLocks);
    if (writes)
        m_lockError.reset();
    else
        m_lockError = m_lock.error();
    // Reading needs no lock: every write replaces a document whole.
    takeInChanges();
}

void WordStore::takeInChanges()
{
    std::vector<Document> changed;
    for (Document document : kDocuments)
        if (file(document).isChangedOnDisk()) changed.push_back(document);
    if (changed.empty()) return;
    Q_EMIT willChange();
    // A document whose own last write failed holds changes that exist only in memory: neither
    // they nor what another process wrote since may be lost when it is finally written.
    const bool merges = std::any_of(changed.begin(), changed.end(), [this](Document document) {
        return m_failing.count(document);
    });
    const SyncBundle unwritten = merges ? lists() : SyncBundle();
    for (Document document : changed)
        readDocument(document, false);
    if (merges) mergeUnwritten(unwritten, changed);
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

// The lists now hold what the files hold; the failing documents among them take the merge of
// that with what they held before. Ours comes first, so that where no rule tells two copies of
// a record apart, the change not yet written wins.
void WordStore::mergeUnwritten(const SyncBundle& unwritten, const std::vector<Document>& changed)
{
    const SyncBundle merged = SyncMerge::merge(unwritten, lists());
    for (Document document : changed) {
        if (!m_failing.count(document)) continue;
        switch (document) {
        case Document::words:
            m_entries = merged.words;
            m_families.rebuild(m_entries);
            break;
        case Document::notes:
            m_sentenceNotes = merged.notes;
            break;
        case Document::grammar:
            m_grammarEncounters = merged.grammar;
            break;
        case Document::affixes:
            m_affixEncounters = merged.affixes;
            break;
        case Document::deleted:
            m_deleted = merged.deleted;
            break;
        case Document::stats:
            if (merged.stats) m_stats = *merged.stats;
            break;
        }
    }
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
    Q_ASSERT(m_turns > 0);
    std::set<Document> due = m_failing;
    due.insert(changed.begin(), changed.end());
    // Held back by another process's turn, the changes wait for a later one of ours, and count
    // as failed only once they have waited longer than the patience allows.
    const bool heldBack = m_lockError && m_lockState == FolderLock::State::busy;
    if (heldBack)
        holdBack();
    else
        m_heldBack.invalidate();
    const bool waiting = heldBack && m_heldBack.elapsed() < m_patience.count();
    m_waiting = waiting;
    for (Document document : due) {
        const bool written = !m_lockError && writeDocument(document);
        if (written)
            m_failing.erase(document);
        else
            m_failing.insert(document);
        const DocumentFile& target = file(document);
        if (!waiting)
            report(QFileInfo(target.path()).fileName(), written,
                   m_lockError.value_or(target.lastError()));
    }
    if (m_failing.empty() && m_log.hasWaiting())
        report(QFileInfo(m_log.path()).fileName(), m_log.flush(), m_log.lastError());
    if (isSaved()) m_waiting = false;
    Q_EMIT saveStateChanged();
}

void WordStore::holdBack()
{
    if (!m_heldBack.isValid()) m_heldBack.start();
    m_retry.start();
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
