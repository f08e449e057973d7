#include "model/Learning.h"

#include "model/DayKey.h"
#include "model/FSRS.h"

#include <algorithm>
#include <cmath>

namespace glossivo::Learning {

namespace {

constexpr double kWantedWeight = 1000;
constexpr double kNoteWeight = 8;
constexpr qsizetype kCountedNotes = 3;
constexpr double kDayWeight = 10;
constexpr double kDayHalfLife = 14;
constexpr double kSourceWeight = 4;
constexpr qsizetype kCountedSources = 5;
constexpr double kTechnicalWeight = 3;
constexpr double kLeechWeight = 5;

const QDateTime& lastMet(const WordEntry& entry)
{
    return entry.lastLookupAt ? *entry.lastLookupAt : entry.createdAt;
}

double dayWeight(const QString& key, const QDateTime& now)
{
    const QDateTime day = DayKey::parse(key).value_or(now);
    const double age = FSRS::elapsedDays(day, now);
    return kDayWeight * std::exp2(-age / kDayHalfLife);
}

} // namespace

DisplayStage displayStage(const WordEntry& entry, const AppConfig& config, const QDateTime& now)
{
    switch (entry.stage.value_or(Stage::seen)) {
    case Stage::learning:
        return DisplayStage::learning;
    case Stage::resting:
        return DisplayStage::resting;
    case Stage::mastered:
        return DisplayStage::mastered;
    case Stage::seen:
        break;
    }
    const double idleDays = static_cast<double>(lastMet(entry).msecsTo(now)) / 86400000.0;
    if (idleDays > config.dormantDays && !entry.wantToLearn.value_or(false))
        return DisplayStage::dormant;
    return DisplayStage::seen;
}

QStringList days(const WordEntry& entry)
{
    if (entry.encounterDays && !entry.encounterDays->isEmpty()) return *entry.encounterDays;
    QStringList keys{DayKey::of(entry.createdAt)};
    const QString lookedUp = DayKey::of(lastMet(entry));
    if (lookedUp != keys.first()) keys.append(lookedUp);
    return keys;
}

double priority(const WordEntry& entry, const AppConfig& config, const QDateTime& now)
{
    double sum = entry.wantToLearn.value_or(false) ? kWantedWeight : 0;
    sum += kNoteWeight *
           static_cast<double>(std::min(entry.notes ? entry.notes->size() : 0, kCountedNotes));
    for (const QString& key : days(entry))
        sum += dayWeight(key, now);
    const qsizetype sources = entry.sourceKeys ? entry.sourceKeys->size() : 1;
    sum += kSourceWeight * static_cast<double>(std::min(sources, kCountedSources));
    if (entry.register_ == Register::technical) sum += kTechnicalWeight;
    const int lapses = entry.review ? entry.review->lapses : 0;
    if (lapses >= config.leechThreshold) sum += kLeechWeight;
    return sum;
}

} // namespace glossivo::Learning
