#include "model/WordStore.h"

#include "model/Blanks.h"
#include "model/DayKey.h"
#include "model/Learning.h"
#include "model/Saturating.h"

#include <algorithm>
#include <limits>

namespace glossivo {

namespace {

// Where a word was met: the page's host, else the application; an empty name is no place.
std::optional<QString> sourceKey(const PageSource& source)
{
    auto key = source.host();
    if (!key || key->isEmpty()) key = source.app;
    if (key && key->isEmpty()) return std::nullopt;
    return key;
}

Example exampleOf(const Explanation& explanation, const PageSource& source, const QDateTime& now)
{
    return {QUuid::createUuid(),
            explanation.sentence.value_or(QString()),
            explanation.sentenceZh.value_or(QString()),
            explanation.meaningZh,
            explanation.sentenceIsExample.value_or(false),
            source.app,
            source.url,
            source.title,
            now};
}

WordEntry newEntry(const Explanation& explanation, const Example& example, const QDateTime& now)
{
    WordEntry entry;
    entry.id = QUuid::createUuid();
    // Trimmed, so that index() finds the word again under the same headword.
    entry.headword = Blanks::trimmed(explanation.headword);
    entry.phonetic = explanation.phonetic.value_or(QString());
    entry.pos = explanation.pos.value_or(QString());
    entry.meaningZh = explanation.meaningZh;
    entry.definitionEn = explanation.definitionEn.value_or(QString());
    entry.register_ = fromRawValue<Register>(explanation.register_.value_or(QString()).toLower())
                          .value_or(Register::neutral);
    entry.registerNoteZh = explanation.registerNoteZh.value_or(QString());
    if (!example.sentence.isEmpty()) entry.examples.append(example);
    entry.createdAt = now;
    entry.lookupCount = 1;
    entry.lastLookupAt = now;
    return entry;
}

bool hasSentence(const WordEntry& entry, const QString& sentence)
{
    return std::any_of(entry.examples.begin(), entry.examples.end(),
                       [&](const Example& example) { return example.sentence == sentence; });
}

int wholeDaysBetween(const QDateTime& from, const QDateTime& to)
{
    const qint64 days = from.msecsTo(to) / (qint64(86400) * 1000);
    return static_cast<int>(
        std::clamp<qint64>(days, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

} // namespace

WordStore::Saved WordStore::save(const Explanation& explanation, const PageSource& source)
{
    const Turn turn(*this);
    const QDateTime now = m_clock.now();
    const Example example = exampleOf(explanation, source, now);
    if (const auto found = index(explanation.headword)) {
        if (!example.sentence.isEmpty() && !hasSentence(m_entries[*found], example.sentence)) {
            Q_EMIT willChange();
            m_entries[*found].examples.append(example);
        }
        writeEntries();
        return {m_entries[*found], Unlock()};
    }

    Q_EMIT willChange();
    m_entries.prepend(newEntry(explanation, example, now));
    m_families.add(m_entries[0]);
    markEncounter(0, source);
    const Unlock unlock = recordEncounter(0, explanation, source, true);
    m_log.hold(QStringLiteral("save"), m_entries[0].headword, sourceKey(source));
    writeEntries();
    return {m_entries[0], unlock};
}

Unlock WordStore::recordLookup(const Explanation& explanation, const PageSource& source)
{
    const Turn turn(*this);
    const auto found = index(explanation.headword);
    if (!found) return Unlock();
    const AppConfig settings = config();
    const QDateTime now = m_clock.now();
    const QString headword = Blanks::trimmed(explanation.headword);

    Q_EMIT willChange();
    WordEntry& entry = m_entries[*found];
    const bool wasDormant = Learning::displayStage(entry, settings, now) == DisplayStage::dormant;
    const int daysAway = wholeDaysBetween(entry.lastLookupAt.value_or(entry.createdAt), now);
    // Before the last lookup moves to now, so that a word without encounter days keeps the day
    // of its previous lookup among the days derived for it.
    markEncounter(*found, source);
    entry.lookupCount = incremented(entry.lookupCount);
    entry.lastLookupAt = now;
    Unlock unlock = recordEncounter(*found, explanation, source, false);
    if (wasDormant) {
        unlock.awakenedAfterDays = daysAway;
        m_log.hold(QStringLiteral("awaken"), headword, QString::number(daysAway));
    }
    m_log.hold(QStringLiteral("lookup"), headword, sourceKey(source));
    writeEntries();
    return unlock;
}

void WordStore::markEncounter(qsizetype position, const PageSource& source)
{
    WordEntry& entry = m_entries[position];
    QStringList days = Learning::days(entry);
    const QString today = DayKey::of(m_clock.now());
    if (!days.contains(today)) days.append(today);
    entry.encounterDays = days;

    const auto key = sourceKey(source);
    if (!key) return;
    QStringList keys = entry.sourceKeys.value_or(QStringList());
    if (!keys.contains(*key)) keys.append(*key);
    entry.sourceKeys = keys;
}

void WordStore::addNote(AINote note, QString toWord)
{
    const Turn turn(*this);
    const auto found = index(toWord);
    if (!found) return;
    Q_EMIT willChange();
    WordEntry& entry = m_entries[*found];
    if (!entry.notes) entry.notes.emplace();
    entry.notes->append(std::move(note));
    writeEntries();
}

void WordStore::logEvent(const QString& kind, const QString& word,
                         const std::optional<QString>& detail)
{
    const Turn turn(*this);
    m_log.hold(kind, word, detail);
    write({});
}

void WordStore::addSentenceNote(AINote note)
{
    const Turn turn(*this);
    Q_EMIT willChange();
    m_sentenceNotes.prepend(std::move(note));
    writeSentenceNotes();
}

QList<WordEntry> WordStore::family(const WordEntry& entry) const
{
    const QString key = WordFamilyIndex::familyKey(entry);
    QList<QUuid> ids = m_families.candidates(key);
    ids.removeAll(entry.id);
    QList<WordEntry> members;
    // A pass comparing ids alone puts the few candidates in word-book order.
    for (qsizetype i = 0; i < m_entries.size() && !ids.isEmpty(); ++i) {
        const WordEntry& other = m_entries[i];
        if (!ids.removeOne(other.id)) continue;
        if (WordFamilyIndex::belongsTo(other, key)) members.append(other);
    }
    return members;
}

} // namespace glossivo
