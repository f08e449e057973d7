#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

namespace glossivo {

// The service's envelopes around what the model wrote: "choices" → "message" or "delta" →
// "content". Their keys are read as they are, without key conversion.
namespace ChatEnvelope {

// The JSON object that the first choice's message holds as its content text. Throws
// AIError::badResponse when the envelope, the content or the object cannot be read.
QJsonObject contentObject(const QByteArray& body);

// What one line of a server-sent event stream means for the reader.
struct StreamLine {
    enum class Kind { skip, text, done };
    Kind kind = Kind::skip;
    QString text;
};
StreamLine readStreamLine(const QByteArray& line);

} // namespace ChatEnvelope
} // namespace glossivo
