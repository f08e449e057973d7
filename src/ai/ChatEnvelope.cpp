#include "ai/ChatEnvelope.h"

#include "ai/AIError.h"
#include "model/JsonFields.h"

#include <QJsonDocument>

#include <optional>

namespace glossivo::ChatEnvelope {

namespace {

std::optional<QJsonObject> parseObject(const QByteArray& bytes)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) return std::nullopt;
    return document.object();
}

// Every choice must hold its part ("message" or "delta") with an optional text content; only
// the first choice's content is used. Throws JsonError on a wrong shape.
std::optional<QString> firstContent(const QJsonObject& envelope, const char* part)
{
    const QJsonArray choices = Json::array(envelope, "choices");
    std::optional<QString> first;
    for (qsizetype i = 0; i < choices.size(); ++i) {
        const QJsonObject inner = Json::object(Json::objectValue(choices.at(i), "choices"), part);
        const std::optional<QString> content = Json::optionalString(inner, "content");
        if (i == 0) first = content;
    }
    return first;
}

QByteArray withoutBlanks(const QByteArray& bytes)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    qsizetype begin = 0, end = bytes.size();
    while (begin < end && blank(bytes.at(begin)))
        ++begin;
    while (end > begin && blank(bytes.at(end - 1)))
        --end;
    return bytes.mid(begin, end - begin);
}

} // namespace

QJsonObject contentObject(const QByteArray& body)
{
    const std::optional<QJsonObject> envelope = parseObject(body);
    if (!envelope) throw AIError::badResponse();
    std::optional<QString> content;
    try {
        content = firstContent(*envelope, "message");
    } catch (const JsonError&) {
        throw AIError::badResponse();
    }
    if (!content) throw AIError::badResponse();
    const std::optional<QJsonObject> object = parseObject(content->toUtf8());
    if (!object) throw AIError::badResponse();
    return *object;
}

StreamLine readStreamLine(const QByteArray& line)
{
    static const QByteArray field("data:");
    if (!line.startsWith(field)) return {};
    const QByteArray payload = withoutBlanks(line.mid(field.size()));
    if (payload == "[DONE]") return {StreamLine::Kind::done, {}};
    const std::optional<QJsonObject> chunk = parseObject(payload);
    if (!chunk) return {};
    std::optional<QString> content;
    try {
        content = firstContent(*chunk, "delta");
    } catch (const JsonError&) {
        return {}; // an event of another shape carries no text for us
    }
    if (!content || content->isEmpty()) return {};
    return {StreamLine::Kind::text, *content};
}

} // namespace glossivo::ChatEnvelope
