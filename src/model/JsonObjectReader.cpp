#include "model/JsonObjectReader.h"

#include "model/IsoDate.h"

#include <QJsonDocument>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace glossivo {

void JsonObjectReader::fail(const char* key, const char* expected)
{
    throw JsonError(std::string(key) + ": expected " + expected);
}

JsonObjectReader::JsonObjectReader(simdjson::dom::object object) : m_object(object)
{
    m_fields.reserve(qsizetype(object.size()));
    for (const simdjson::dom::key_value_pair field : object)
        m_fields.append({field.key, field.value});
}

std::optional<simdjson::dom::element> JsonObjectReader::find(const char* key) const
{
    const std::string_view wanted(key);
    // From the end, since the last of repeated keys counts.
    for (qsizetype i = m_fields.size() - 1; i >= 0; --i)
        if (m_fields[i].key == wanted) {
            if (m_fields[i].value.is_null()) return std::nullopt;
            return m_fields[i].value;
        }
    return std::nullopt;
}

simdjson::dom::element JsonObjectReader::required(const char* key) const
{
    if (auto value = find(key)) return *value;
    throw JsonError(std::string(key) + ": missing");
}

namespace {

std::string_view stringValue(simdjson::dom::element value, const char* key)
{
    std::string_view text;
    if (value.get_string().get(text) != simdjson::SUCCESS) JsonObjectReader::fail(key, "text");
    return text;
}

} // namespace

QString JsonObjectReader::string(const char* key) const
{
    return text(stringValue(required(key), key));
}

std::optional<QString> JsonObjectReader::optionalString(const char* key) const
{
    if (!present(key)) return std::nullopt;
    return string(key);
}

bool JsonObjectReader::boolean(const char* key) const
{
    bool flag = false;
    if (required(key).get_bool().get(flag) != simdjson::SUCCESS) fail(key, "true or false");
    return flag;
}

std::optional<bool> JsonObjectReader::optionalBoolean(const char* key) const
{
    if (!present(key)) return std::nullopt;
    return boolean(key);
}

int JsonObjectReader::integer(const char* key) const
{
    const simdjson::dom::element value = required(key);
    double number = 0;
    if (!value.is_number() || value.get_double().get(number) != simdjson::SUCCESS ||
        !std::isfinite(number) || std::trunc(number) != number ||
        number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
        fail(key, "an integer");
    return static_cast<int>(number);
}

std::optional<int> JsonObjectReader::optionalInteger(const char* key) const
{
    if (!present(key)) return std::nullopt;
    return integer(key);
}

double JsonObjectReader::number(const char* key) const
{
    const simdjson::dom::element value = required(key);
    double number = 0;
    if (!value.is_number() || value.get_double().get(number) != simdjson::SUCCESS ||
        !std::isfinite(number))
        fail(key, "a number");
    return number;
}

std::optional<double> JsonObjectReader::optionalNumber(const char* key) const
{
    if (!present(key)) return std::nullopt;
    return number(key);
}

QDateTime JsonObjectReader::date(const char* key) const
{
    if (auto parsed = IsoDate::parse(stringValue(required(key), key))) return *parsed;
    fail(key, "an ISO-8601 date-time in whole seconds");
}

std::optional<QDateTime> JsonObjectReader::optionalDate(const char* key) const
{
    if (!present(key)) return std::nullopt;
    return date(key);
}

QUuid JsonObjectReader::uuid(const char* key) const
{
    const std::string_view text = stringValue(required(key), key);
    // Only the canonical 36-character form; QUuid would also take braces.
    const QUuid id =
        text.size() == 36 ? QUuid::fromString(QAnyStringView(text.data(), 36)) : QUuid();
    if (id.isNull() && text != "00000000-0000-0000-0000-000000000000") fail(key, "a UUID");
    return id;
}

JsonObjectReader JsonObjectReader::object(const char* key) const
{
    simdjson::dom::object object;
    if (required(key).get_object().get(object) != simdjson::SUCCESS) fail(key, "an object");
    return JsonObjectReader(object);
}

std::optional<JsonObjectReader> JsonObjectReader::optionalObject(const char* key) const
{
    if (!present(key)) return std::nullopt;
    return object(key);
}

simdjson::dom::array JsonObjectReader::array(const char* key) const
{
    simdjson::dom::array array;
    if (required(key).get_array().get(array) != simdjson::SUCCESS) fail(key, "an array");
    return array;
}

QStringList JsonObjectReader::stringList(const char* key) const
{
    const simdjson::dom::array elements = array(key);
    QStringList list;
    list.reserve(qsizetype(elements.size()));
    for (simdjson::dom::element element : elements)
        list.append(text(stringValue(element, key)));
    return list;
}

std::optional<QStringList> JsonObjectReader::optionalStringList(const char* key) const
{
    if (!present(key)) return std::nullopt;
    return stringList(key);
}

std::optional<QMap<QString, QString>> JsonObjectReader::optionalStringMap(const char* key) const
{
    const auto map = optionalObject(key);
    if (!map) return std::nullopt;
    QMap<QString, QString> values;
    for (const Field& field : map->m_fields)
        values.insert(text(field.key), text(stringValue(field.value, key)));
    return values;
}

Json::SourceFields JsonObjectReader::sourceFields() const
{
    return {optionalString("sourceApp"), optionalString("sourceURL"),
            optionalString("sourceTitle")};
}

std::optional<QJsonObject> JsonObjectReader::optionalQJsonObject(const char* key) const
{
    const auto found = optionalObject(key);
    if (!found) return std::nullopt;
    const std::string text = simdjson::minify(found->m_object);
    return QJsonDocument::fromJson(QByteArray::fromStdString(text)).object();
}

} // namespace glossivo
