#include "model/AffixEncounter.h"

#include "model/JsonFields.h"

namespace glossivo {

AffixEncounter AffixEncounter::fromJson(const QJsonObject& object)
{
    AffixEncounter encounter;
    encounter.id = Json::uuid(object, "id");
    encounter.affix = Json::enumValue<Affix>(object, "affix");
    encounter.headword = Json::string(object, "headword");
    encounter.root = Json::optionalString(object, "root");
    encounter.sentence = Json::optionalString(object, "sentence");
    encounter.addedAt = Json::date(object, "addedAt");
    return encounter;
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
