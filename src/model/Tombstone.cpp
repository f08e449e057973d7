#include "model/Tombstone.h"

#include "model/JsonDocumentReader.h"
#include "model/JsonFields.h"

namespace glossivo {

Tombstone Tombstone::fromJson(const JsonObjectReader& object)
{
    return {object.string("id"), object.date("at")};
}

Tombstone Tombstone::fromJson(const QJsonObject& object)
{
    return decodeObject<Tombstone>(object);
}

QJsonObject Tombstone::toJson() const
{
    QJsonObject object{{QStringLiteral("id"), id}};
    Json::putDate(object, "at", at);
    return object;
}

} // namespace glossivo
