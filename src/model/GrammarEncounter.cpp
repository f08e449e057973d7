#include "model/GrammarEncounter.h"

#include "model/JsonFields.h"

namespace glossivo {

GrammarEncounter GrammarEncounter::fromJson(const QJsonObject& object)
{
    GrammarEncounter encounter;
    encounter.id = Json::uuid(object, "id");
    encounter.point = Json::enumValue<GrammarPoint>(object, "point");
    encounter.headword = Json::string(object, "headword");
    encounter.surface = Json::string(object, "surface");
    encounter.sentence = Json::string(object, "sentence");
    encounter.sentenceZh = Json::optionalString(object, "sentenceZh");
    encounter.noteZh = Json::optionalString(object, "noteZh");
    const Json::SourceFields source = Json::sourceFields(object);
    encounter.sourceApp = source.app;
    encounter.sourceURL = source.url;
    encounter.sourceTitle = source.title;
    encounter.addedAt = Json::date(object, "addedAt");
    return encounter;
}

QJsonObject GrammarEncounter::toJson() const
{
    QJsonObject object{{QStringLiteral("id"), Json::uuidText(id)},
                       {QStringLiteral("point"), rawValue(point)},
                       {QStringLiteral("headword"), headword},
                       {QStringLiteral("surface"), surface},
                       {QStringLiteral("sentence"), sentence}};
    Json::putOptional(object, "sentenceZh", sentenceZh);
    Json::putOptional(object, "noteZh", noteZh);
    Json::putSourceFields(object, {sourceApp, sourceURL, sourceTitle});
    Json::putDate(object, "addedAt", addedAt);
    return object;
}

} // namespace glossivo
