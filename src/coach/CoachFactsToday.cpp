#include "coach/CoachFacts.h"

#include "coach/CoachText.h"
#include "coach/WordOrder.h"
#include "model/ConfigStore.h"
#include "model/DayKey.h"
#include "model/WordStore.h"

#include <algorithm>
#include <limits>

namespace glossivo {

namespace {

using Event = LearningLog::Event;

bool isTodayKind(const QString& kind)
{
    static const QStringList kinds{"review", "recall", "spell", "graduate", "leech", "rest"};
    return kinds.contains(kind);
}

QString todayLabel(const Event& event)
{
    if (event.kind == QLatin1String("spell"))
        return QStringLiteral("拼写（") + CoachText::spellDetail(event.detail) +
               QStringLiteral("）");
    if (event.kind == QLatin1String("graduate")) return QStringLiteral("毕业了");
    if (event.kind == QLatin1String("leech")) return QStringLiteral("变成难啃的词");
    if (event.kind == QLatin1String("rest")) return QStringLiteral("先休息");
    return CoachText::ratingLabel(event.detail);
}

} // namespace

CoachFacts::CoachFacts(const WordStore& store, LearningLog& log, ConfigSource config,
                       const Clock& clock)
    : m_store(store), m_log(log), m_config(std::move(config)), m_clock(clock)
{}

CoachFacts& CoachFacts::shared()
{
    static CoachFacts facts(
        WordStore::shared(), LearningLog::shared(), [] { return ConfigStore::shared().config(); },
        Clock::system());
    return facts;
}

QList<LearningLog::Event> CoachFacts::events() const
{
    QList<Event> events;
    for (const QString& line : m_log.readLines())
        if (auto event = Event::fromLine(line)) events.append(std::move(*event));
    return events;
}

std::optional<Example> CoachFacts::sentence(const WordEntry& entry)
{
    for (const Example& example : entry.examples)
        if (!example.isGenerated) return example;
    if (entry.examples.isEmpty()) return std::nullopt;
    return entry.examples.first();
}

QString CoachFacts::todayReview(const QDateTime& now) const
{
    const QString today = DayKey::of(now);
    ByWord<QList<Event>> byWord;
    for (const Event& event : events())
        if (isTodayKind(event.kind) && DayKey::of(event.time) == today)
            byWord[event.word].append(event);

    QStringList lines;
    for (auto& [word, wordEvents] : byWord) {
        std::stable_sort(wordEvents.begin(), wordEvents.end(),
                         [](const Event& a, const Event& b) { return a.time < b.time; });
        QStringList labels;
        for (const Event& event : wordEvents)
            labels.append(todayLabel(event));
        lines.append(QStringLiteral("- ") + word + QStringLiteral("：") +
                     labels.join(QStringLiteral(" → ")));
    }
    return lines.join(QLatin1Char('\n'));
}

// Mirrors how a review round is put together, without first trimming an overfull set of
// learning words and without checking that enough new words wait. Sizes come unchecked from
// files and other devices, so the sums are made wide and nothing below zero is told.
int CoachFacts::todayQuestionCount(const QDateTime& now) const
{
    const AppConfig config = m_config();
    qint64 due = 0;
    qint64 fresh = 0;
    for (const WordEntry& entry : m_store.entries()) {
        const Stage stage = entry.stage.value_or(Stage::seen);
        if ((stage == Stage::learning || stage == Stage::mastered) && entry.review &&
            entry.review->due <= now)
            ++due;
        if (stage == Stage::learning && !entry.review) ++fresh;
    }
    const qint64 free = std::max<qint64>(0, qint64(config.learningSlots) - m_store.learningCount());
    const ReviewStats& stats = m_store.stats();
    const qint64 learnedToday = stats.day == DayKey::of(m_clock.now()) ? stats.newLearned : 0;
    const qint64 left = qint64(config.dailyNewLimit) - learnedToday;
    const qint64 allowance = left < 0 ? 0 : std::min(left, free);
    const qint64 count = std::min(due + fresh + allowance, qint64(config.sessionSize));
    return int(std::clamp<qint64>(count, 0, std::numeric_limits<int>::max()));
}

} // namespace glossivo
