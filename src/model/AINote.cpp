#include "model/AINote.h"

#include "model/JsonFields.h"

namespace glossivo {

AINote AINote::fromJson(const QJsonObject& object)
{
    AINote note;
    note.id = Json::uuid(object, "id");
    note.question = Json::string(object, "question");
    note.answer = Json::string(object, "answer");
    note.original = Json::string(object, "original");
    note.translation = Json::optionalString(object, "translation");
    const Json::SourceFields source = Json::sourceFields(object);
    note.sourceApp = source.app;
    note.sourceURL = source.url;
    note.sourceTitle = source.title;
    note.addedAt = Json::date(object, "addedAt");
    return note;
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
