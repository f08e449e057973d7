#include "model/Example.h"

#include "model/JsonDocumentReader.h"
#include "model/JsonFields.h"

namespace glossivo {

Example Example::fromJson(const JsonObjectReader& object)
{
    Example example;
    example.id = object.uuid("id");
    example.sentence = object.string("sentence");
    example.sentenceZh = object.string("sentenceZh");
    example.meaningZh = object.string("meaningZh");
    example.isGenerated = object.boolean("isGenerated");
    const Json::SourceFields source = object.sourceFields();
    example.sourceApp = source.app;
    example.sourceURL = source.url;
    example.sourceTitle = source.title;
    example.addedAt = object.date("addedAt");
    return example;
}

Example Example::fromJson(const QJsonObject& object)
{
    return decodeObject<Example>(object);
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
