#include "model/Example.h"

#include "model/JsonFields.h"

namespace glossivo {

Example Example::fromJson(const QJsonObject& object)
{
    Example example;
    example.id = Json::uuid(object, "id");
    example.sentence = Json::string(object, "sentence");
    example.sentenceZh = Json::string(object, "sentenceZh");
    example.meaningZh = Json::string(object, "meaningZh");
    example.isGenerated = Json::boolean(object, "isGenerated");
    const Json::SourceFields source = Json::sourceFields(object);
    example.sourceApp = source.app;
    example.sourceURL = source.url;
    example.sourceTitle = source.title;
    example.addedAt = Json::date(object, "addedAt");
    return example;
}

QJsonObject Example::toJson() const
{
    QJsonObject object{{QStringLiteral("id"), Json::uuidText(id)},
                       {QStringLiteral("sentence"), sentence},
                       {QStringLiteral("sentenceZh"), sentenceZh},
                       {QStringLiteral("meaningZh"), meaningZh},
                       {QStringLiteral("isGenerated"), isGenerated}};
    Json::putSourceFields(object, {sourceApp, sourceURL, sourceTitle});
    Json::putDate(object, "addedAt", addedAt);
    return object;
}

} // namespace glossivo
