#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QList>

namespace glossivo {

// The seven study values that devices share, with the time of their last change.
struct StudySettings {
    int learningSlots = 30;
    int dailyNewLimit = 8;
    int sessionSize = 15;
    int graduateDays = 30;
    int leechThreshold = 4;
    int dormantDays = 30;
    bool recallOnLookup = true;
    QDateTime changedAt;

    // The seven values in field order, recallOnLookup as 1 or 0: the merge's tie-break.
    QList<int> order() const;

    // All eight keys are required; changedAt as a whole-second ISO-8601 date-time.
    static StudySettings fromJson(const QJsonObject& object);
    QJsonObject toJson() const;
    bool operator==(const StudySettings&) const = default;
};

} // namespace glossivo
