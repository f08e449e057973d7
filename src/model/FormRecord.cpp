#include "model/FormRecord.h"

#include "model/JsonDocumentReader.h"
#include "model/JsonFields.h"

namespace glossivo {

FormRecord FormRecord::fromJson(const JsonObjectReader& object)
{
    FormRecord record;
    record.kind = object.enumValue<FormKind>("kind");
    record.form = object.string("form");
    record.firstSeenAt = object.date("firstSeenAt");
    record.count = object.integer("count");
    record.sentence = object.optionalString("sentence");
    return record;
}

FormRecord FormRecord::fromJson(const QJsonObject& object)
{
    return decodeObject<FormRecord>(object);
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
