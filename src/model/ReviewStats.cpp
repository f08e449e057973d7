#include "model/ReviewStats.h"

#include "model/JsonFields.h"

namespace glossivo {

ReviewStats ReviewStats::fromJson(const QJsonObject& object)
{
    return {Json::string(object, "day"), Json::integer(object, "reviewed"),
            Json::integer(object, "newLearned")};
}

QJsonObject ReviewStats::toJson() const
{
    return {{QStringLiteral("day"), day},
            {QStringLiteral("reviewed"), reviewed},
            {QStringLiteral("newLearned"), newLearned}};
}

} // namespace glossivo
