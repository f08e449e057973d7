#include "coach/CoachMessage.h"

#include "model/JsonFields.h"

namespace glossivo {

CoachMessage CoachMessage::make(bool fromCoach, const QString& text,
                                const std::optional<QString>& shown)
{
    return CoachMessage{QUuid::createUuid(), fromCoach, text, shown};
}

CoachMessage CoachMessage::fromJson(const QJsonObject& object)
{
    return CoachMessage{Json::uuid(object, "id"), Json::boolean(object, "fromCoach"),
                        Json::string(object, "text"), Json::optionalString(object, "shown")};
}

QJsonObject CoachMessage::toJson() const
{
    QJsonObject object{{QStringLiteral("fromCoach"), fromCoach},
                       {QStringLiteral("id"), Json::uuidText(id)},
                       {QStringLiteral("text"), text}};
    Json::putOptional(object, "shown", shown);
    return object;
}

} // namespace glossivo
