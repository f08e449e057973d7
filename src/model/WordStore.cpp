#include "model/WordStore.h"

#include "ai/AIMnemonicSource.h"

#include "model/Blanks.h"
#include "model/ConfigStore.h"
#include "model/DayKey.h"
#include "model/JsonFields.h"

#include <QJsonDocument>

#include <algorithm>

namespace glossivo {

namespace {

std::optional<QJsonDocument> parse(DocumentFile& file)
{
    const auto bytes = file.read();
    if (!bytes) return std::nullopt;
    QJsonParseError error{};
    QJsonDocument document = QJsonDocument::fromJson(*bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        file.markDamaged();
        return std::nullopt;
    }
    return document;
}

// One bad record makes the whole document unusable; it loads as empty and is kept aside
// before the next write replaces it.
template <class T> QList<T> loadList(DocumentFile& file)
{
    const auto document = parse(file);
    if (!document) return {};
    try {
        if (!document->isArray()) throw JsonError("not an array");
        return Json::objectList<T>(document->array(), "element");
    } catch (const JsonError&) {
        file.markDamaged();
        return {};
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
        // The process's word book asks the AI service for the memory tips of new leeches.
        static AIMnemonicSource tips(ConfigStore::shared());
        made->setMnemonicSource(&tips);
        return made;
    }();
    return *store;
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
    m_entries = loadList<WordEntry>(m_wordsFile);
    m_sentenceNotes = loadList<AINote>(m_notesFile);
    m_grammarEncounters = loadList<GrammarEncounter>(m_grammarFile);
    if (const auto document = parse(m_statsFile)) {
        try {
            if (!document->isObject()) throw JsonError("not an object");
            const ReviewStats stored = ReviewStats::fromJson(document->object());
            // Yesterday's counters are simply not today's: nothing is lost by dropping them.
            if (stored.day == m_stats.day) m_stats = stored;
        } catch (const JsonError&) {
            m_statsFile.markDamaged();
        }
    }
    m_affixEncounters = loadList<AffixEncounter>(m_affixesFile);
    m_deleted = loadList<Tombstone>(m_deletedFile);
}

std::optional<qsizetype> WordStore::index(const QString& word) const
{
    const QString wanted = Blanks::trimmed(word).toLower();
    for (qsizetype i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].headword.toLower() == wanted) return i;
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

bool WordStore::writeEntries()
{
    return m_wordsFile.write(m_wordsEncoder.encode(m_entries));
}
bool WordStore::writeSentenceNotes()
{
    return writeList(m_notesFile, m_sentenceNotes);
}
void WordStore::writeGrammar()
{
    writeList(m_grammarFile, m_grammarEncounters);
}
void WordStore::writeAffixes()
{
    writeList(m_affixesFile, m_affixEncounters);
}
void WordStore::writeDeleted()
{
    writeList(m_deletedFile, m_deleted);
}

void WordStore::writeStats()
{
    m_statsFile.write(QJsonDocument(m_stats.toJson()).toJson(QJsonDocument::Indented));
}

} // namespace glossivo
