#include "model/AffixEncounter.h"

#include "model/JsonDocumentReader.h"
#include "model/JsonFields.h"

namespace glossivo {

AffixEncounter AffixEncounter::fromJson(const JsonObjectReader& object)
{
    AffixEncounter encounter;
    encounter.id = object.uuid("id");
    encounter.affix = object.enumValue<Affix>("affix");
    encounter.headword = object.string("headword");
    encounter.root = object.optionalString("root");
    encounter.sentence = object.optionalString("sentence");
    encounter.addedAt = object.date("addedAt");
    return encounter;
}

AffixEncounter AffixEncounter::fromJson(const QJsonObject& object)
{
    return decodeObject<AffixEncounter>(object);
}

QJsonObject AffixEncounter::toJson() const
{
    QJsonObject object{{QStringLiteral("id"), Json::uuidText(id)},
                       {QStringLiteral("affix"), rawValue(affix)},
                       {QStringLiteral("headword"), headword}};
    Json::putOptional(object, "root", root);
    Json::putOptional(object, "sentence", sentence);
    Json::putDate(object, "addedAt", addedAt);
    return object;
}

} // namespace glossivo
