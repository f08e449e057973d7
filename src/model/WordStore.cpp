#include "model/WordStore.h"

#include "model/ConfigStore.h"
#include "model/HeadwordKey.h"
#include "model/JsonFields.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QScopedValueRollback>

#include <algorithm>
#include <chrono>

namespace glossivo {

namespace {

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

void WordStore::refresh()
{
    // Inside a turn (a window opened by a change, say), a look would see nothing new.
    if (m_turns.isUnderWay()) {
        if (m_turns.isHeldBack()) m_turns.retryLater();
        return;
    }
    const QScopedValueRollback waitFor(m_turns.wait(), std::chrono::milliseconds(0));
    const Turn turn(*this);
    // Other failures (a full disk) are tried again with the next change, not at every look.
    if (m_turns.isHeldBack()) write({});
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
    const bool outermost = !m_store.m_turns.isUnderWay();
    m_store.m_turns.begin();
    // Copies that share the lists until a change: nothing is copied in a turn that changes
    // nothing, as the retries while another process has its turn.
    if (outermost && m_store.m_turns.error()) m_store.m_turnStart = m_store.lists();
}

WordStore::Turn::~Turn()
{
    m_store.m_turns.end();
    if (!m_store.m_turns.isUnderWay()) m_store.m_turnStart.reset();
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

bool WordStore::isOnDisk(const QString& word) const
{
    if (!index(word)) return false;
    if (!m_failing.count(Document::words)) return true;
    if (!m_baseKnown.count(Document::words)) return false;
    const QString key = HeadwordKey::of(word);
    return std::any_of(m_base.words.begin(), m_base.words.end(), [&](const WordEntry& entry) {
        return HeadwordKey::of(entry.headword) == key;
    });
}

std::optional<qsizetype> WordStore::position(const QUuid& id) const
{
    const QUuid wanted = kept(id, m_entries);
    for (qsizetype i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].id == wanted) return i;
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
        const DocumentFile& target = file(document);
        if (written) {
            m_failing.erase(document);
            m_baseKnown.erase(document);
        } else if (m_failing.insert(document).second || (!lockError && target.tookName())) {
            // A file that took the name before its folder's flush failed holds this change:
            // another process's next change goes on top of it, so it is the base from now on.
            keepBase(document);
        }
        if (!m_waiting)
            report(QFileInfo(target.path()).fileName(), written,
                   lockError.value_or(target.lastError()));
    }
    // Lines are appended only in a turn that may write: another process's turn may be about to
    // replace the log, and a line appended to the file it replaces would be lost.
    if (m_failing.empty() && m_log.hasWaiting()) {
        const bool flushed = !lockError && m_log.flush();
        if (!m_waiting)
            report(QFileInfo(m_log.path()).fileName(), flushed,
                   lockError.value_or(m_log.lastError()));
    }
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
    } else if (!written) {
        // Said once, but kept up to date: a window names why the save fails now.
        m_failedDocuments.insert(document, error);
    }
}

} // namespace glossivo
