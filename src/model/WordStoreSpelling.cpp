// The spelling list and the five spelling levels of each word on it.
#include "model/WordStore.h"

#include <algorithm>

namespace glossivo {

namespace {
constexpr int kTopSpellLevel = 4;
} // namespace

WordEntry WordStore::addSpellPractice(const Explanation& explanation)
{
    const Turn turn(*this);
    if (!index(explanation.headword))
        save(explanation, PageSource{QStringLiteral("常拼"), std::nullopt, std::nullopt});
    const auto at = index(explanation.headword);
    if (!at) return {};
    if (m_entries[*at].spellPractice != true) setSpellPractice(m_entries[*at].id, true);
    return m_entries[*index(explanation.headword)];
}

int WordStore::spellPracticeCount() const
{
    return int(std::count_if(m_entries.begin(), m_entries.end(),
                             [](const WordEntry& e) { return e.spellPractice == true; }));
}

QList<QUuid> WordStore::buildSpellingSession(int size) const
{
    QList<const WordEntry*> listed;
    for (const WordEntry& entry : m_entries)
        if (entry.spellPractice == true) listed.append(&entry);
    // A word never spelled sorts as the distant past, so it comes first.
    std::stable_sort(listed.begin(), listed.end(), [](const WordEntry* a, const WordEntry* b) {
        return a->lastSpelledAt.value_or(QDateTime()) < b->lastSpelledAt.value_or(QDateTime());
    });
    QList<QUuid> ids;
    for (const WordEntry* entry : listed.mid(0, std::max(size, 0)))
        ids.append(entry->id);
    return ids;
}

int WordStore::applySpelling(QUuid id, Rating rating)
{
    const Turn turn(*this);
    const auto at = position(id);
    if (!at) return 0;
    Q_EMIT willChange();
    WordEntry& entry = m_entries[*at];
    const int old = std::clamp(entry.spellLevel.value_or(0), 0, kTopSpellLevel);
    int level = old;
    if (rating == Rating::good || rating == Rating::easy)
        level = std::min(old + 1, kTopSpellLevel);
    else if (rating == Rating::again)
        level = std::max(old - 1, 0);
    entry.spellLevel = level;
    entry.lastSpelledAt = m_clock.now();
    m_log.hold(QStringLiteral("spell"), entry.headword,
               spellModeName(spellModeForLevel(old)) + QLatin1Char(' ') + ratingName(rating));
    writeEntries();
    return level;
}

void WordStore::setSpellPractice(QUuid id, bool on)
{
    const Turn turn(*this);
    const auto at = position(id);
    if (!at) return;
    Q_EMIT willChange();
    WordEntry& entry = m_entries[*at];
    // Off is stored as absent, never as false.
    entry.spellPractice = on ? std::optional<bool>(true) : std::nullopt;
    entry.stateAt = m_clock.now();
    m_log.hold(on ? QStringLiteral("spell-add") : QStringLiteral("spell-remove"), entry.headword);
    writeEntries();
}

} // namespace glossivo
