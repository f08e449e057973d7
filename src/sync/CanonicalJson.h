#pragma once

#include <QByteArray>
#include <QJsonValue>

#include <optional>

namespace glossivo {

// The one spelling of a JSON value that every device must produce for the same content, because
// devices compare documents by the hash of these bytes: no whitespace, object keys in ascending
// code-point order at every level, "/" escaped as "\/", other characters as UTF-8, whole numbers
// as integers and other numbers in their shortest form that reads back to the same value.
// QJsonDocument::Compact differs on each of the first points, so it cannot be used.
namespace CanonicalJson {

// None when the value holds something JSON cannot express (NaN, infinity, an undefined value):
// writing a stand-in would change the document without anyone noticing.
std::optional<QByteArray> write(const QJsonValue& value);

} // namespace CanonicalJson
} // namespace glossivo
