#pragma once

#include "model/InParts.h"
#include "model/JsonObjectReader.h"

#include <QByteArrayList>
#include <QByteArrayView>
#include <QList>

#include <simdjson.h>

#include <atomic>
#include <optional>
#include <vector>

namespace glossivo {

// Parses one JSON object at a time with the same strictness as JsonDocumentReader, reusing its
// buffers: a record's text of a few kilobytes, parsed again and again, stays in the cache.
class ElementParser {
public:
    // The object of the text, valid until the next call; none when the text is not exactly one
    // well-formed JSON object.
    std::optional<JsonObjectReader> object(QByteArrayView text);

private:
    simdjson::dom::parser m_parser;
    std::vector<char> m_padded; // the text with the parser's padding after it
};

// The records of a list whose elements' texts are already known (CachedArrayEncoder::
// elementTexts finds them in a document it wrote), each decoded from its own text on several
// threads. Parsing tens of megabytes as one value would build a parse of the whole document
// first, most of the cost of a load. None when any element is not a valid record: the caller
// then reads the document whole, which names the first bad record and repairs what that reader
// repairs.
template <class T> std::optional<QList<T>> decodeElements(const QByteArrayList& texts)
{
    QList<T> list(texts.size());
    T* const records = list.data();
    std::atomic<bool> failed = false;
    inParts(texts.size(), [&](qsizetype begin, qsizetype end) {
        ElementParser parser;
        for (qsizetype i = begin; i < end && !failed; ++i) {
            const std::optional<JsonObjectReader> object = parser.object(texts[i]);
            if (!object) {
                failed = true;
                return;
            }
            try {
                records[i] = T::fromJson(*object);
            } catch (const JsonError&) {
                failed = true;
                return;
            }
        }
    });
    if (failed) return std::nullopt;
    return list;
}

} // namespace glossivo
