#pragma once

#include "model/EnumText.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QStringList>
#include <QUuid>

#include <functional>
#include <optional>
#include <stdexcept>

namespace glossivo {

// A document or record that does not have the shape its reader requires.
class JsonError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Strict typed access to JSON objects. A required key must be present with a value of the right
// type; an optional key may be missing or null, but a present value of the wrong type is an error
// just the same. Nothing is guessed: a text is never read as a number, nor a number as a flag.
namespace Json {

QString string(const QJsonObject& object, const char* key);
std::optional<QString> optionalString(const QJsonObject& object, const char* key);
bool boolean(const QJsonObject& object, const char* key);
std::optional<bool> optionalBoolean(const QJsonObject& object, const char* key);
// An integral JSON number that fits an int.
int integer(const QJsonObject& object, const char* key);
std::optional<int> optionalInteger(const QJsonObject& object, const char* key);
double number(const QJsonObject& object, const char* key);
std::optional<double> optionalNumber(const QJsonObject& object, const char* key);
// A whole-second ISO-8601 date-time with its zone.
QDateTime date(const QJsonObject& object, const char* key);
std::optional<QDateTime> optionalDate(const QJsonObject& object, const char* key);
QUuid uuid(const QJsonObject& object, const char* key);
QJsonArray array(const QJsonObject& object, const char* key);
std::optional<QJsonArray> optionalArray(const QJsonObject& object, const char* key);
QJsonObject object(const QJsonObject& object, const char* key);
std::optional<QJsonObject> optionalObject(const QJsonObject& object, const char* key);

// Value-level readers, for array elements.
QString stringValue(const QJsonValue& value, const char* what);
QJsonObject objectValue(const QJsonValue& value, const char* what);
QStringList stringList(const QJsonArray& array, const char* what);

template <class E> E enumValue(const QJsonObject& object, const char* key)
{
    const QString text = string(object, key);
    if (auto value = fromRawValue<E>(text)) return *value;
    throw JsonError(std::string(key) + ": unknown value " + text.toStdString());
}

template <class E> std::optional<E> optionalEnumValue(const QJsonObject& object, const char* key)
{
    if (!optionalString(object, key)) return std::nullopt;
    return enumValue<E>(object, key);
}

// Decodes every element of an array of objects with the record's reader.
template <class T> QList<T> objectList(const QJsonArray& array, const char* what)
{
    QList<T> list;
    list.reserve(array.size());
    for (const QJsonValue& element : array)
        list.append(T::fromJson(objectValue(element, what)));
    return list;
}

template <class T> QJsonArray toArray(const QList<T>& list)
{
    QJsonArray array;
    for (const T& element : list)
        array.append(element.toJson());
    return array;
}

QString uuidText(const QUuid& id);
QJsonArray toArray(const QStringList& list);

// The "sourceApp", "sourceURL" and "sourceTitle" that examples, notes and grammar encounters
// carry: where the text was read.
struct SourceFields {
    std::optional<QString> app;
    std::optional<QString> url;
    std::optional<QString> title;
};
SourceFields sourceFields(const QJsonObject& object);
void putSourceFields(QJsonObject& object, const SourceFields& source);

// Writers that leave the key out when there is no value.
void putOptional(QJsonObject& object, const char* key, const std::optional<QString>& value);
void putOptional(QJsonObject& object, const char* key, const std::optional<bool>& value);
void putOptional(QJsonObject& object, const char* key, const std::optional<int>& value);
void putOptional(QJsonObject& object, const char* key, const std::optional<QDateTime>& value);
void putDate(QJsonObject& object, const char* key, const QDateTime& value);
// Never writes NaN or infinity, which JSON cannot hold: such a number is written as 0.
void putNumber(QJsonObject& object, const char* key, double value);

} // namespace Json
} // namespace glossivo
