#include "model/AINote.h"

#include "model/JsonDocumentReader.h"
#include "model/JsonFields.h"

namespace glossivo {

AINote AINote::fromJson(const JsonObjectReader& object)
{
    AINote note;
    note.id = object.uuid("id");
    note.question = object.string("question");
    note.answer = object.string("answer");
    note.original = object.string("original");
    note.translation = object.optionalString("translation");
    const Json::SourceFields source = object.sourceFields();
    note.sourceApp = source.app;
    note.sourceURL = source.url;
    note.sourceTitle = source.title;
    note.addedAt = object.date("addedAt");
    return note;
}

AINote AINote::fromJson(const QJsonObject& object)
{
    return decodeObject<AINote>(object);
}

QJsonObject AINote::toJson() const
{
    QJsonObject object{{QStringLiteral("id"), Json::uuidText(id)},
                       {QStringLiteral("question"), question},
                       {QStringLiteral("answer"), answer},
                       {QStringLiteral("original"), original}};
    Json::putOptional(object, "translation", translation);
    Json::putSourceFields(object, {sourceApp, sourceURL, sourceTitle});
    Json::putDate(object, "addedAt", addedAt);
    return object;
}

} // namespace glossivo
