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
    example.sourceApp = Json::optionalString(object, "sourceApp");
    example.sourceURL = Json::optionalString(object, "sourceURL");
    example.sourceTitle = Json::optionalString(object, "sourceTitle");
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
    Json::putOptional(object, "sourceApp", sourceApp);
    Json::putOptional(object, "sourceURL", sourceURL);
    Json::putOptional(object, "sourceTitle", sourceTitle);
    Json::putDate(object, "addedAt", addedAt);
    return object;
}

} // namespace glossivo
