#include "coach/CoachDay.h"

#include "model/JsonFields.h"

namespace glossivo {

CoachDay CoachDay::fromJson(const QJsonObject& object)
{
    return CoachDay{Json::string(object, "day"),
                    Json::objectList<CoachMessage>(Json::array(object, "messages"), "message")};
}

QJsonObject CoachDay::toJson() const
{
    return QJsonObject{{QStringLiteral("day"), day},
                       {QStringLiteral("messages"), Json::toArray(messages)}};
}

} // namespace glossivo
