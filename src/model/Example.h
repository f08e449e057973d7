#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <QUuid>

#include <optional>

namespace glossivo {

class JsonObjectReader;

// A sentence in which a word was met (or one the AI supplied as an example).
struct Example {
    QUuid id;
    QString sentence;
    QString sentenceZh;
    QString meaningZh;
    bool isGenerated = false;
    std::optional<QString> sourceApp;
    std::optional<QString> sourceURL;
    std::optional<QString> sourceTitle;
    QDateTime addedAt;

    static Example fromJson(const JsonObjectReader& object);
    static Example fromJson(const QJsonObject& object);
    QJsonObject toJson() const;
    bool operator==(const Example&) const = default;
};

} // namespace glossivo
