#include "model/SlotTrim.h"

#include "model/JsonFields.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>
#include <vector>

namespace glossivo::SlotTrim {

namespace {

struct Candidate {
    int reps;
    double stability;
    qint64 movedAt; // milliseconds since the epoch; no stateAt sorts after every dated word
    QString idText;
    QUuid id;
};

Candidate candidateOf(const WordEntry& entry)
{
    const double stability = entry.review ? entry.review->stability : 0;
    return {entry.review ? entry.review->reps : 0,
            // NaN would break the ordering the sort relies on
            std::isfinite(stability) ? stability : 0,
            entry.stateAt ? entry.stateAt->toMSecsSinceEpoch() : std::numeric_limits<qint64>::min(),
            Json::uuidText(entry.id), entry.id};
}

bool leavesFirst(const Candidate& a, const Candidate& b)
{
    return std::tie(a.reps, a.stability, b.movedAt, a.idText) <
           std::tie(b.reps, b.stability, a.movedAt, b.idText);
}

} // namespace

QList<QUuid> pick(const QList<WordEntry>& entries, qsizetype count)
{
    if (count <= 0) return {};
    std::vector<Candidate> learning;
    for (const WordEntry& entry : entries)
        if (entry.stage == Stage::learning) learning.push_back(candidateOf(entry));
    std::sort(learning.begin(), learning.end(), leavesFirst);
    QList<QUuid> ids;
    for (const Candidate& candidate : learning) {
        if (ids.size() == count) break;
        ids.append(candidate.id);
    }
    return ids;
}

} // namespace glossivo::SlotTrim
