#include "model/StudySettings.h"

#include "model/JsonFields.h"

namespace glossivo {

QList<int> StudySettings::order() const
{
    return {learningSlots,  dailyNewLimit, sessionSize,           graduateDays,
            leechThreshold, dormantDays,   recallOnLookup ? 1 : 0};
}

StudySettings StudySettings::fromJson(const QJsonObject& object)
{
    StudySettings settings;
    settings.learningSlots = Json::integer(object, "learningSlots");
    settings.dailyNewLimit = Json::integer(object, "dailyNewLimit");
    settings.sessionSize = Json::integer(object, "sessionSize");
    settings.graduateDays = Json::integer(object, "graduateDays");
    settings.leechThreshold = Json::integer(object, "leechThreshold");
    settings.dormantDays = Json::integer(object, "dormantDays");
    settings.recallOnLookup = Json::boolean(object, "recallOnLookup");
    settings.changedAt = Json::date(object, "changedAt");
    return settings;
}

QJsonObject StudySettings::toJson() const
{
    QJsonObject object{{QStringLiteral("learningSlots"), learningSlots},
                       {QStringLiteral("dailyNewLimit"), dailyNewLimit},
                       {QStringLiteral("sessionSize"), sessionSize},
                       {QStringLiteral("graduateDays"), graduateDays},
                       {QStringLiteral("leechThreshold"), leechThreshold},
                       {QStringLiteral("dormantDays"), dormantDays},
                       {QStringLiteral("recallOnLookup"), recallOnLookup}};
    Json::putDate(object, "changedAt", changedAt);
    return object;
}

} // namespace glossivo
