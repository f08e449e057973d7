#pragma once

#include "model/JsonObjectReader.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <simdjson.h>

namespace glossivo {

// Parses the text of a whole document, strictly: anything that is not one well-formed JSON value
// in UTF-8 is a JsonError. The objects it hands out read from its buffers, so it must outlive
// them.
class JsonDocumentReader {
public:
    explicit JsonDocumentReader(const QByteArray& text);
    // What it hands out points into it.
    JsonDocumentReader(const JsonDocumentReader&) = delete;
    JsonDocumentReader& operator=(const JsonDocumentReader&) = delete;

    bool isObject() const { return m_root.is_object(); }

    // The document is an array of objects, each decoded with the record's reader.
    template <class T> QList<T> objectList(const char* what) const
    {
        simdjson::dom::array array;
        if (m_root.get_array().get(array) != simdjson::SUCCESS) throw JsonError("not an array");
        return JsonObjectReader::objectListOf<T>(array, what);
    }

    JsonObjectReader object() const;

private:
    simdjson::dom::parser m_parser;
    simdjson::dom::element m_root;
};

// A record read from an object already parsed by QJsonDocument: through its text, so that one
// reader holds the rules.
template <class T> T decodeObject(const QJsonObject& object)
{
    const JsonDocumentReader document(QJsonDocument(object).toJson(QJsonDocument::Compact));
    return T::fromJson(document.object());
}

} // namespace glossivo
