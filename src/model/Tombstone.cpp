#include "model/Tombstone.h"

#include "model/JsonFields.h"

namespace glossivo {

Tombstone Tombstone::fromJson(const QJsonObject& object)
{
    return {Json::string(object, "id"), Json::date(object, "at")};
}

QJsonObject Tombstone::toJson() const
{
    QJsonObject object{{QStringLiteral("id"), id}};
    Json::putDate(object, "at", at);
    return object;
}

} // namespace glossivo
