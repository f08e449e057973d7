#include "model/FormRecord.h"

#include "model/JsonFields.h"

namespace glossivo {

FormRecord FormRecord::fromJson(const QJsonObject& object)
{
    FormRecord record;
    record.kind = Json::enumValue<FormKind>(object, "kind");
    record.form = Json::string(object, "form");
    record.firstSeenAt = Json::date(object, "firstSeenAt");
    record.count = Json::integer(object, "count");
    record.sentence = Json::optionalString(object, "sentence");
    return record;
}

QJsonObject FormRecord::toJson() const
{
    QJsonObject object{{QStringLiteral("kind"), rawValue(kind)},
                       {QStringLiteral("form"), form},
                       {QStringLiteral("count"), count}};
    Json::putDate(object, "firstSeenAt", firstSeenAt);
    Json::putOptional(object, "sentence", sentence);
    return object;
}

} // namespace glossivo
