#pragma once

#include "model/EnumText.h"
#include "model/InParts.h"
#include "model/JsonFields.h"

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QStringList>
#include <QUuid>
#include <QVarLengthArray>

#include <simdjson.h>

#include <optional>
#include <string_view>
#include <vector>

namespace glossivo {

// Strict typed access to one object of a parsed document, with the rules of Json: a required
// key must be present with a value of the right type; an optional key may be missing or null,
// but a present value of the wrong type is a JsonError just the same. A key given twice counts
// with its last value. Valid while the JsonDocumentReader it came from lives.
class JsonObjectReader {
public:
    explicit JsonObjectReader(simdjson::dom::object object);

    QString string(const char* key) const;
    std::optional<QString> optionalString(const char* key) const;
    bool boolean(const char* key) const;
    std::optional<bool> optionalBoolean(const char* key) const;
    // An integral JSON number that fits an int.
    int integer(const char* key) const;
    std::optional<int> optionalInteger(const char* key) const;
    double number(const char* key) const;
    std::optional<double> optionalNumber(const char* key) const;
    // A whole-second ISO-8601 date-time with its zone.
    QDateTime date(const char* key) const;
    std::optional<QDateTime> optionalDate(const char* key) const;
    QUuid uuid(const char* key) const;
    JsonObjectReader object(const char* key) const;
    std::optional<JsonObjectReader> optionalObject(const char* key) const;
    QStringList stringList(const char* key) const;
    std::optional<QStringList> optionalStringList(const char* key) const;
    // An object whose every value is text.
    std::optional<QMap<QString, QString>> optionalStringMap(const char* key) const;
    Json::SourceFields sourceFields() const;
    // A small object handed on to a reader of QJsonObject.
    std::optional<QJsonObject> optionalQJsonObject(const char* key) const;

    template <class E> E enumValue(const char* key) const
    {
        const QString text = string(key);
        if (auto value = fromRawValue<E>(text)) return *value;
        throw JsonError(std::string(key) + ": unknown value " + text.toStdString());
    }

    template <class E> std::optional<E> optionalEnumValue(const char* key) const
    {
        if (!present(key)) return std::nullopt;
        return enumValue<E>(key);
    }

    // Every element decoded with the record's reader.
    template <class T> QList<T> objectList(const char* key) const
    {
        return objectListOf<T>(array(key), key);
    }

    template <class T> std::optional<QList<T>> optionalObjectList(const char* key) const
    {
        if (!present(key)) return std::nullopt;
        return objectList<T>(key);
    }

    template <class T> static QList<T> objectListOf(simdjson::dom::array array, const char* what)
    {
        const auto decode = [what](simdjson::dom::element element) {
            simdjson::dom::object object;
            if (element.get_object().get(object) != simdjson::SUCCESS) fail(what, "an object");
            return T::fromJson(JsonObjectReader(object));
        };
        if (array.size() < kManyElements) {
            QList<T> list;
            list.reserve(qsizetype(array.size()));
            for (simdjson::dom::element element : array)
                list.append(decode(element));
            return list;
        }
        // A word book's tens of thousands of records are decoded on several threads: the parsed
        // document is only read, and each record has its own place in the list.
        std::vector<simdjson::dom::element> elements;
        elements.reserve(array.size());
        for (simdjson::dom::element element : array)
            elements.push_back(element);
        QList<T> list(qsizetype(elements.size()));
        T* const records = list.data();
        inParts(qsizetype(elements.size()), [&](qsizetype begin, qsizetype end) {
            for (qsizetype i = begin; i < end; ++i)
                records[i] = decode(elements[size_t(i)]);
        });
        return list;
    }

    static QString text(std::string_view utf8)
    {
        return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
    }
    [[noreturn]] static void fail(const char* key, const char* expected);

private:
    // From this many elements on, a list is decoded on several threads.
    static constexpr size_t kManyElements = 512;

    // The key's value when it is there and not null.
    std::optional<simdjson::dom::element> find(const char* key) const;
    simdjson::dom::element required(const char* key) const;
    bool present(const char* key) const { return find(key).has_value(); }
    simdjson::dom::array array(const char* key) const;

    struct Field {
        std::string_view key;
        simdjson::dom::element value;
    };
    // Gathered once: every reader asks for each of its keys, and the parsed document keeps its
    // keys apart from the objects.
    simdjson::dom::object m_object;
    QVarLengthArray<Field, 32> m_fields;
};

} // namespace glossivo
