#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <QUuid>

#include <optional>

namespace glossivo {

class JsonObjectReader;

// A saved AI question and answer, attached to a word or kept as a sentence note.
struct AINote {
    QUuid id;
    QString question;
    QString answer;
    QString original; // the passage the question was about
    std::optional<QString> translation;
    std::optional<QString> sourceApp;
    std::optional<QString> sourceURL;
    std::optional<QString> sourceTitle;
    QDateTime addedAt;

    static AINote fromJson(const JsonObjectReader& object);
    static AINote fromJson(const QJsonObject& object);
    QJsonObject toJson() const;
    bool operator==(const AINote&) const = default;
};

} // namespace glossivo
