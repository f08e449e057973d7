#include "sync/SyncMerge.h"

#include "model/TextOrder.h"
#include "sync/MergeLists.h"
#include "sync/WordMerge.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <utility>

namespace glossivo::SyncMerge {

namespace {

// Each id once, with the earliest deletion time either side knows; oldest first.
QList<Tombstone> mergeTombstones(const QList<Tombstone>& a, const QList<Tombstone>& b)
{
    QHash<QString, QDateTime> earliest;
    for (const QList<Tombstone>* list : {&a, &b})
        for (const Tombstone& tombstone : *list) {
            const auto stored = earliest.find(tombstone.id);
            if (stored == earliest.end())
                earliest.insert(tombstone.id, tombstone.at);
            else if (tombstone.at < *stored)
                *stored = tombstone.at;
        }
    QList<Tombstone> merged;
    merged.reserve(earliest.size());
    for (auto it = earliest.begin(); it != earliest.end(); ++it)
        merged.append({it.key(), it.value()});
    std::sort(merged.begin(), merged.end(), [](const Tombstone& left, const Tombstone& right) {
        if (left.at != right.at) return left.at < right.at;
        return TextOrder::codePointLess(left.id, right.id);
    });
    return merged;
}

QString grammarKey(const GrammarEncounter& encounter)
{
    return rawValue(encounter.point) + QLatin1Char('\n') + encounter.sentence;
}

QString affixKey(const AffixEncounter& encounter)
{
    return rawValue(encounter.affix) + QLatin1Char('\n') + encounter.headword.toLower();
}

// A line that is not an object with a text "time" still counts; it sorts first.
QString lineTime(const QString& line)
{
    const QJsonDocument document = QJsonDocument::fromJson(line.toUtf8());
    const QJsonValue time = document.isObject() ? document.object().value(u"time") : QJsonValue();
    return time.isString() ? time.toString() : QString();
}

QStringList mergeLog(const QStringList& a, const QStringList& b)
{
    QSet<QString> seen;
    QList<std::pair<QString, QString>> timed; // (time, line)
    for (const QStringList* list : {&a, &b})
        for (const QString& line : *list) {
            if (seen.contains(line)) continue;
            seen.insert(line);
            timed.append({lineTime(line), line});
        }
    std::sort(timed.begin(), timed.end(), [](const auto& left, const auto& right) {
        if (left.first != right.first) return TextOrder::codePointLess(left.first, right.first);
        return TextOrder::codePointLess(left.second, right.second);
    });
    QStringList lines;
    lines.reserve(timed.size());
    for (auto& [time, line] : timed)
        lines.append(std::move(line));
    return lines;
}

// The later day's counters whole. On one day both devices counted from zero, so the larger
// count is the one that has seen more of the day.
std::optional<ReviewStats> mergeStats(const std::optional<ReviewStats>& a,
                                      const std::optional<ReviewStats>& b)
{
    if (!a) return b;
    if (!b) return a;
    if (a->day != b->day) return TextOrder::codePointLess(a->day, b->day) ? b : a;
    return ReviewStats{a->day, std::max(a->reviewed, b->reviewed),
                       std::max(a->newLearned, b->newLearned)};
}

std::optional<StudySettings> mergeSettings(const std::optional<StudySettings>& a,
                                           const std::optional<StudySettings>& b)
{
    if (!a) return b;
    if (!b) return a;
    if (a->changedAt != b->changedAt) return b->changedAt > a->changedAt ? b : a;
    const QList<int> first = a->order(), second = b->order();
    return std::lexicographical_compare(first.begin(), first.end(), second.begin(), second.end())
               ? b
               : a;
}

} // namespace

SyncBundle merge(const SyncBundle& a, const SyncBundle& b)
{
    return mergeWithTexts(a, b, {}, {});
}

SyncBundle mergeWithTexts(const SyncBundle& a, const SyncBundle& b,
                          const SyncBundle::WordTexts& aTexts, const SyncBundle::WordTexts& bTexts,
                          SyncBundle::WordTexts* mergedTexts)
{
    SyncBundle merged;
    merged.deleted = mergeTombstones(a.deleted, b.deleted);
    const DeadIds dead = deadIds(merged.deleted);
    QByteArrayList texts;
    merged.words =
        mergeWords(a.words, b.words, dead, aTexts, bTexts, mergedTexts ? &texts : nullptr);
    if (mergedTexts) *mergedTexts = {{}, std::move(texts), true};

    merged.notes = unionByID(a.notes, b.notes, dead);
    sortByAddedAt(merged.notes, DateOrder::newestFirst);

    merged.grammar = dedupe(unionByID(a.grammar, b.grammar, dead), grammarKey,
                            &GrammarEncounter::addedAt, &GrammarEncounter::id);
    sortByAddedAt(merged.grammar, DateOrder::newestFirst);

    merged.affixes = dedupe(unionByID(a.affixes, b.affixes, dead), affixKey,
                            &AffixEncounter::addedAt, &AffixEncounter::id);
    sortByAddedAt(merged.affixes, DateOrder::newestFirst);

    merged.log = mergeLog(a.log, b.log);
    merged.stats = mergeStats(a.stats, b.stats);
    merged.settings = mergeSettings(a.settings, b.settings);
    merged.format = 1;
    return merged;
}

} // namespace glossivo::SyncMerge
