#include "model/GrammarEncounter.h"

#include "model/JsonDocumentReader.h"
#include "model/JsonFields.h"

namespace glossivo {

GrammarEncounter GrammarEncounter::fromJson(const JsonObjectReader& object)
{
    GrammarEncounter encounter;
    encounter.id = object.uuid("id");
    encounter.point = object.enumValue<GrammarPoint>("point");
    encounter.headword = object.string("headword");
    encounter.surface = object.string("surface");
    encounter.sentence = object.string("sentence");
    encounter.sentenceZh = object.optionalString("sentenceZh");
    encounter.noteZh = object.optionalString("noteZh");
    const Json::SourceFields source = object.sourceFields();
    encounter.sourceApp = source.app;
    encounter.sourceURL = source.url;
    encounter.sourceTitle = source.title;
    encounter.addedAt = object.date("addedAt");
    return encounter;
}

GrammarEncounter GrammarEncounter::fromJson(const QJsonObject& object)
{
    return decodeObject<GrammarEncounter>(object);
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
