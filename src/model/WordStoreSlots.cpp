#include "model/WordStore.h"

#include "model/DayKey.h"
#include "model/FSRS.h"
#include "model/Learning.h"
#include "model/Saturating.h"
#include "model/SlotTrim.h"

#include <algorithm>

namespace glossivo {

namespace {

constexpr qint64 kSecondsPerDay = 86400;

bool isActive(const WordEntry& entry)
{
    return entry.stage == Stage::learning || entry.stage == Stage::mastered;
}

} // namespace

void WordStore::refreshStatsDay()
{
    const QString today = DayKey::of(m_clock.now());
    if (today == m_stats.day) return;
    Q_EMIT willChange();
    m_stats = ReviewStats{today, 0, 0};
}

int WordStore::fillSlots(int extra)
{
    const Turn turn(*this);
    refreshStatsDay();
    const QDateTime now = m_clock.now();
    const AppConfig settings = config();
    returnRestedWords(now);
    trimSlots(settings.learningSlots, now);

    const qint64 room = qint64(settings.learningSlots) - learningCount();
    const qint64 quota =
        extra > 0 ? extra
                  : std::max<qint64>(0, qint64(settings.dailyNewLimit) - m_stats.newLearned);
    if (room <= 0 || quota == 0) return 0;
    QList<qsizetype> joining = joinCandidates(settings, now);
    joining = joining.mid(0, std::min(room, quota));
    if (joining.isEmpty()) return 0;

    Q_EMIT willChange();
    for (qsizetype position : joining) {
        WordEntry& entry = m_entries[position];
        entry.stage = Stage::learning;
        entry.stateAt = now;
        m_stats.newLearned = incremented(m_stats.newLearned);
        m_log.hold(QStringLiteral("join"), entry.headword);
    }
    write({Document::words, Document::stats});
    return static_cast<int>(joining.size());
}

// A rest that is over sends the word back to the pool, where it must win a slot again. Written
// with the next write of the word list.
void WordStore::returnRestedWords(const QDateTime& now)
{
    bool announced = false;
    for (WordEntry& entry : m_entries) {
        if (entry.stage != Stage::resting || (entry.restUntil && *entry.restUntil > now)) continue;
        if (!announced) Q_EMIT willChange();
        announced = true;
        entry.stage = Stage::seen;
        entry.restUntil.reset();
        entry.stateAt = now;
    }
}

void WordStore::trimSlots(int learningSlots, const QDateTime& now)
{
    const QList<QUuid> leaving = SlotTrim::pick(m_entries, learningCount() - learningSlots);
    if (leaving.isEmpty()) return;
    Q_EMIT willChange();
    for (const QUuid& id : leaving) {
        WordEntry& entry = m_entries[*position(id)];
        entry.stage = Stage::seen;
        entry.stateAt = now;
        m_log.hold(QStringLiteral("leave"), entry.headword);
    }
    writeEntries();
}

// Seen, awake words in order of priority (word-book order among equals). A word kept only for
// spelling practice joins only when the user asked to learn it.
QList<qsizetype> WordStore::joinCandidates(const AppConfig& config, const QDateTime& now) const
{
    QList<std::pair<double, qsizetype>> ranked;
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        const WordEntry& entry = m_entries[i];
        if (Learning::displayStage(entry, config, now) != DisplayStage::seen) continue;
        if (entry.spellPractice.value_or(false) && !entry.wantToLearn.value_or(false)) continue;
        ranked.append({Learning::priority(entry, config, now), i});
    }
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    QList<qsizetype> positions;
    positions.reserve(ranked.size());
    for (const auto& [priority, at] : ranked)
        positions.append(at);
    return positions;
}

QList<QUuid> WordStore::buildSession(int extraNew)
{
    const Turn turn(*this);
    fillSlots(extraNew);
    const QDateTime now = m_clock.now();
    QList<std::pair<double, QUuid>> due;
    QList<QUuid> fresh;
    for (const WordEntry& entry : std::as_const(m_entries)) {
        if (!isActive(entry)) continue;
        if (entry.review) {
            if (entry.review->due > now) continue;
            const double days = FSRS::elapsedDays(entry.review->lastReview, now);
            due.append({FSRS::retrievability(days, entry.review->stability), entry.id});
        } else if (entry.stage == Stage::learning) {
            fresh.append(entry.id);
        }
    }
    std::stable_sort(due.begin(), due.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QList<QUuid> queue;
    for (const auto& [recall, id] : due)
        queue.append(id);
    queue.append(fresh);
    return queue.mid(0, config().sessionSize);
}

bool WordStore::startLearning(QUuid id)
{
    const Turn turn(*this);
    const auto found = position(id);
    if (!found || m_entries[*found].stage == Stage::learning) return false;
    if (learningCount() >= config().learningSlots) return false;
    Q_EMIT willChange();
    WordEntry& entry = m_entries[*found];
    entry.stage = Stage::learning;
    entry.restUntil.reset();
    entry.stateAt = m_clock.now();
    m_log.hold(QStringLiteral("join"), entry.headword, QStringLiteral("manual"));
    writeEntries();
    return true;
}

void WordStore::rest(QUuid id, int days)
{
    const Turn turn(*this);
    const auto found = position(id);
    if (!found) return;
    const QDateTime now = m_clock.now();
    Q_EMIT willChange();
    WordEntry& entry = m_entries[*found];
    entry.stage = Stage::resting;
    entry.restUntil = now.addSecs(days * kSecondsPerDay);
    entry.stateAt = now;
    m_log.hold(QStringLiteral("rest"), entry.headword);
    writeEntries();
}

void WordStore::setWantToLearn(QUuid id, bool flag)
{
    const Turn turn(*this);
    const auto found = position(id);
    if (!found) return;
    Q_EMIT willChange();
    WordEntry& entry = m_entries[*found];
    entry.wantToLearn = flag;
    entry.stateAt = m_clock.now();
    writeEntries();
}

} // namespace glossivo
