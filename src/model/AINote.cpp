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
    note.sourceApp = Json::optionalString(object, "sourceApp");
    note.sourceURL = Json::optionalString(object, "sourceURL");
    note.sourceTitle = Json::optionalString(object, "sourceTitle");
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
    Json::putOptional(object, "sourceApp", sourceApp);
    Json::putOptional(object, "sourceURL", sourceURL);
    Json::putOptional(object, "sourceTitle", sourceTitle);
    Json::putDate(object, "addedAt", addedAt);
    return object;
}

} // namespace glossivo
