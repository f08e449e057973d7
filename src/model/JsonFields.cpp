#include "model/JsonFields.h"

#include "model/IsoDate.h"

#include <cmath>
#include <limits>

namespace glossivo::Json {

namespace {

[[noreturn]] void fail(const char* key, const char* expected)
{
    throw JsonError(std::string(key) + ": expected " + expected);
}

QJsonValue required(const QJsonObject& object, const char* key)
{
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined() || value.isNull()) throw JsonError(std::string(key) + ": missing");
    return value;
}

bool absent(const QJsonObject& object, const char* key)
{
    const QJsonValue value = object.value(QLatin1String(key));
    return value.isUndefined() || value.isNull();
}

int integerValue(const QJsonValue& value, const char* key)
{
    if (!value.isDouble()) fail(key, "an integer");
    const double number = value.toDouble();
    if (!std::isfinite(number) || std::trunc(number) != number ||
        number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
        fail(key, "an integer");
    return static_cast<int>(number);
}

QDateTime dateValue(const QJsonValue& value, const char* key)
{
    if (auto parsed = IsoDate::parse(stringValue(value, key))) return *parsed;
    fail(key, "an ISO-8601 date-time in whole seconds");
}

} // namespace

QString stringValue(const QJsonValue& value, const char* what)
{
    if (!value.isString()) fail(what, "text");
    return value.toString();
}

QJsonObject objectValue(const QJsonValue& value, const char* what)
{
    if (!value.isObject()) fail(what, "an object");
    return value.toObject();
}

QStringList stringList(const QJsonArray& array, const char* what)
{
    QStringList list;
    list.reserve(array.size());
    for (const QJsonValue& element : array)
        list.append(stringValue(element, what));
    return list;
}

QString string(const QJsonObject& object, const char* key)
{
    return stringValue(required(object, key), key);
}

std::optional<QString> optionalString(const QJsonObject& object, const char* key)
{
    if (absent(object, key)) return std::nullopt;
    return string(object, key);
}

bool boolean(const QJsonObject& object, const char* key)
{
    const QJsonValue value = required(object, key);
    if (!value.isBool()) fail(key, "true or false");
    return value.toBool();
}

std::optional<bool> optionalBoolean(const QJsonObject& object, const char* key)
{
    if (absent(object, key)) return std::nullopt;
    return boolean(object, key);
}

int integer(const QJsonObject& object, const char* key)
{
    return integerValue(required(object, key), key);
}

std::optional<int> optionalInteger(const QJsonObject& object, const char* key)
{
    if (absent(object, key)) return std::nullopt;
    return integer(object, key);
}

double number(const QJsonObject& object, const char* key)
{
    const QJsonValue value = required(object, key);
    if (!value.isDouble() || !std::isfinite(value.toDouble())) fail(key, "a number");
    return value.toDouble();
}

std::optional<double> optionalNumber(const QJsonObject& object, const char* key)
{
    if (absent(object, key)) return std::nullopt;
    return number(object, key);
}

QDateTime date(const QJsonObject& object, const char* key)
{
    return dateValue(required(object, key), key);
}

std::optional<QDateTime> optionalDate(const QJsonObject& object, const char* key)
{
    if (absent(object, key)) return std::nullopt;
    return date(object, key);
}

QUuid uuid(const QJsonObject& object, const char* key)
{
    const QString text = string(object, key);
    // Only the canonical 36-character form; QUuid would also take braces.
    const QUuid id = text.size() == 36 ? QUuid::fromString(text) : QUuid();
    if (id.isNull() && text != QLatin1String("00000000-0000-0000-0000-000000000000"))
        fail(key, "a UUID");
    return id;
}

QJsonArray array(const QJsonObject& object, const char* key)
{
    const QJsonValue value = required(object, key);
    if (!value.isArray()) fail(key, "an array");
    return value.toArray();
}

std::optional<QJsonArray> optionalArray(const QJsonObject& object, const char* key)
{
    if (absent(object, key)) return std::nullopt;
    return array(object, key);
}

QJsonObject object(const QJsonObject& object, const char* key)
{
    return objectValue(required(object, key), key);
}

std::optional<QJsonObject> optionalObject(const QJsonObject& object, const char* key)
{
    if (absent(object, key)) return std::nullopt;
    return Json::object(object, key);
}

SourceFields sourceFields(const QJsonObject& object)
{
    return {optionalString(object, "sourceApp"), optionalString(object, "sourceURL"),
            optionalString(object, "sourceTitle")};
}

void putSourceFields(QJsonObject& object, const SourceFields& source)
{
    putOptional(object, "sourceApp", source.app);
    putOptional(object, "sourceURL", source.url);
    putOptional(object, "sourceTitle", source.title);
}

QString uuidText(const QUuid& id)
{
    // Digit by digit: every record of a sync pass writes its id, and QUuid's text in lower case
    // made upper again cost several times this.
    static constexpr char hex[] = "0123456789ABCDEF";
    const QByteArray bytes = id.toRfc4122();
    char text[36];
    int at = 0;
    for (int i = 0; i < 16; ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) text[at++] = '-';
        const auto byte = static_cast<unsigned char>(bytes[i]);
        text[at++] = hex[byte >> 4];
        text[at++] = hex[byte & 0xF];
    }
    return QString::fromLatin1(text, sizeof text);
}

QJsonArray toArray(const QStringList& list)
{
    return QJsonArray::fromStringList(list);
}

void putOptional(QJsonObject& object, const char* key, const std::optional<QString>& value)
{
    if (value) object.insert(QLatin1String(key), *value);
}

void putOptional(QJsonObject& object, const char* key, const std::optional<bool>& value)
{
    if (value) object.insert(QLatin1String(key), *value);
}

void putOptional(QJsonObject& object, const char* key, const std::optional<int>& value)
{
    if (value) object.insert(QLatin1String(key), *value);
}

void putOptional(QJsonObject& object, const char* key, const std::optional<QDateTime>& value)
{
    if (value) putDate(object, key, *value);
}

void putDate(QJsonObject& object, const char* key, const QDateTime& value)
{
    object.insert(QLatin1String(key), IsoDate::format(value));
}

void putNumber(QJsonObject& object, const char* key, double value)
{
    object.insert(QLatin1String(key), std::isfinite(value) ? value : 0.0);
}

} // namespace glossivo::Json
