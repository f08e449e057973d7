#include "model/WordStore.h"

#include "model/FSRS.h"
#include "model/Saturating.h"

#include <QHash>

#include <algorithm>

namespace glossivo {

namespace {

constexpr double kMasteredRetention = 0.9;
constexpr double kLearningRetention = 0.95;
constexpr qsizetype kKnownWords = 40;
constexpr qsizetype kTopSources = 5;
constexpr qsizetype kRecentTitles = 8;

} // namespace

ReviewOutcome WordStore::applyReview(QUuid id, Rating rating, const QString& kind)
{
    const Turn turn(*this);
    const auto found = position(id);
    if (!found) return ReviewOutcome::normal;
    refreshStatsDay();
    const AppConfig settings = config();
    const QDateTime now = m_clock.now();

    Q_EMIT willChange();
    WordEntry& entry = m_entries[*found];
    const int oldLapses = entry.review ? entry.review->lapses : 0;
    const double retention =
        entry.stage == Stage::mastered ? kMasteredRetention : kLearningRetention;
    entry.review = FSRS::review(entry.review, rating, now, retention);
    m_stats.reviewed = incremented(m_stats.reviewed);
    m_log.hold(kind, entry.headword, ratingName(rating));

    ReviewOutcome outcome = ReviewOutcome::normal;
    if (entry.stage == Stage::learning && entry.review->stability >= settings.graduateDays) {
        entry.stage = Stage::mastered;
        entry.stateAt = now;
        m_log.hold(QStringLiteral("graduate"), entry.headword);
        outcome = ReviewOutcome::graduated;
    } else if (oldLapses < settings.leechThreshold &&
               settings.leechThreshold <= entry.review->lapses) {
        m_log.hold(QStringLiteral("leech"), entry.headword);
        outcome = ReviewOutcome::becameLeech;
    }
    write({Document::words, Document::stats});
    if (outcome == ReviewOutcome::becameLeech) requestMnemonic(id);
    return outcome;
}

void WordStore::requestMnemonic(const QUuid& id)
{
    const auto found = position(id);
    if (!m_mnemonicSource || !found || m_entries[*found].mnemonic) return;
    QStringList knownWords;
    for (const WordEntry& entry : std::as_const(m_entries)) {
        if (knownWords.size() == kKnownWords) break;
        if (entry.stage == Stage::mastered) knownWords.append(entry.headword);
    }
    storeMnemonic(this, m_mnemonicSource, m_entries[*found], knownWords, topInterests());
}

QCoro::Task<> WordStore::storeMnemonic(QPointer<WordStore> store, MnemonicSource* source,
                                       WordEntry entry, QStringList knownWords,
                                       QStringList interests)
{
    QString tip;
    try {
        tip = co_await source->mnemonic(entry, knownWords, interests);
    } catch (...) {
        // A tip is a nicety: without a key, a connection or a readable answer the word simply
        // stays without one.
        co_return;
    }
    // The word book may have gone, or the word been deleted, while the service answered.
    if (!store) co_return;
    const Turn turn(*store);
    const auto found = store->position(entry.id);
    if (!found) co_return;
    Q_EMIT store->willChange();
    store->m_entries[*found].mnemonic = tip;
    store->writeEntries();
}

QStringList WordStore::topInterests() const
{
    QList<std::pair<QString, int>> counts; // in order of first occurrence
    QHash<QString, qsizetype> slotOf;
    for (const WordEntry& entry : m_entries) {
        for (const QString& key : entry.sourceKeys.value_or(QStringList())) {
            const auto it = slotOf.constFind(key);
            if (it != slotOf.constEnd()) {
                ++counts[*it].second;
                continue;
            }
            slotOf.insert(key, counts.size());
            counts.append({key, 1});
        }
    }
    std::stable_sort(counts.begin(), counts.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });

    QStringList interests;
    for (const auto& [key, count] : counts.mid(0, kTopSources))
        interests.append(key);
    QStringList titles;
    for (const WordEntry& entry : m_entries)
        for (const Example& example : entry.examples)
            if (example.sourceTitle) titles.append(*example.sourceTitle);
    interests.append(titles.mid(std::max<qsizetype>(0, titles.size() - kRecentTitles)));
    return interests;
}

} // namespace glossivo
