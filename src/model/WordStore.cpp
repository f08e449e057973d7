#include "model/WordStore.h"

#include "model/ConfigStore.h"
#include "model/DayKey.h"
#include "model/ElementDecoder.h"
#include "model/HeadwordKey.h"
#include "model/JsonDocumentReader.h"
#include "model/JsonFields.h"

#include <QFileInfo>
#include <QJsonDocument>

#include <algorithm>

namespace glossivo {

namespace {

// One bad record makes the whole document unusable; it loads as empty and is kept aside
// before the next write replaces it.
template <class T> QList<T> decodeList(DocumentFile& file, const std::optional<QByteArray>& bytes)
{
    if (!bytes) return {};
    try {
        return JsonDocumentReader(*bytes).objectList<T>("element");
    } catch (const JsonError&) {
        file.markDamaged();
        return {};
    }
}

template <class T> QList<T> loadList(DocumentFile& file)
{
    return decodeList<T>(file, file.read());
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
      m_statsFile(paths.reviewStats())
{
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
    TextFile wordsFile;
    const auto words = m_wordsFile.read(&wordsFile);
    // A document this program wrote is read word by word from the texts that the encoder then
    // keeps; any other, or one with a bad word, is read whole by the strict reader.
    std::optional<QByteArrayList> texts;
    if (words) texts = CachedArrayEncoder<WordEntry>::elementTexts(*words);
    std::optional<QList<WordEntry>> entries;
    if (texts) entries = decodeElements<WordEntry>(*texts);
    m_entries = entries ? std::move(*entries) : decodeList<WordEntry>(m_wordsFile, words);
    m_families.rebuild(m_entries);
    if (words && !m_wordsFile.isDamaged())
        m_wordsEncoder.seed(m_entries, *words, std::move(texts), m_wordsFile.isAsWritten(),
                            std::move(wordsFile));
    m_sentenceNotes = loadList<AINote>(m_notesFile);
    m_grammarEncounters = loadList<GrammarEncounter>(m_grammarFile);
    if (const auto bytes = m_statsFile.read()) {
        try {
            const ReviewStats stored = ReviewStats::fromJson(JsonDocumentReader(*bytes).object());
            // Yesterday's counters are simply not today's: nothing is lost by dropping them.
            if (stored.day == m_stats.day) m_stats = stored;
        } catch (const JsonError&) {
            m_statsFile.markDamaged();
        }
    }
    m_affixEncounters = loadList<AffixEncounter>(m_affixesFile);
    m_deleted = loadList<Tombstone>(m_deletedFile);
    m_log.removeLeftovers();
    for (Document document : {Document::words, Document::notes, Document::grammar,
                              Document::affixes, Document::deleted, Document::stats}) {
        DocumentFile& loaded = file(document);
        if (const auto copy = loaded.keepAside())
            m_keptAside.insert(QFileInfo(loaded.path()).fileName(), *copy);
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

bool WordStore::writeDocument(Document document)
{
    DocumentFile& target = file(document);
    switch (document) {
    case Document::words: {
        const bool written = target.write(m_wordsEncoder.pieces(m_entries));
        m_wordsEncoder.finishWrite(written ? std::optional(target.path()) : std::nullopt);
        return written;
    }
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
    std::set<Document> due = m_failing;
    due.insert(changed.begin(), changed.end());
    for (Document document : due) {
        const bool written = writeDocument(document);
        if (written)
            m_failing.erase(document);
        else
            m_failing.insert(document);
        const DocumentFile& target = file(document);
        report(QFileInfo(target.path()).fileName(), written, target.lastError());
    }
    if (!m_failing.empty() || !m_log.hasWaiting()) return;
    report(QFileInfo(m_log.path()).fileName(), m_log.flush(), m_log.lastError());
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
