#pragma once

#include <QJsonObject>
#include <QString>
#include <QUuid>

#include <optional>

namespace glossivo {

// One message of the coach conversation, as coach.json stores it.
struct CoachMessage {
    QUuid id;
    bool fromCoach = false;       // sent to the AI service as "assistant", else as "user"
    QString text;                 // for a preset question, its whole request text
    std::optional<QString> shown; // the chip title a preset question shows instead of its text

    // A new message with a fresh id.
    static CoachMessage make(bool fromCoach, const QString& text,
                             const std::optional<QString>& shown = std::nullopt);
    // The empty coach message an answer is streamed into.
    static CoachMessage placeholder() { return make(true, QString()); }

    // "fromCoach", "id" and "text" are required; throws JsonError otherwise.
    static CoachMessage fromJson(const QJsonObject& object);
    QJsonObject toJson() const;
    bool operator==(const CoachMessage&) const = default;
};

} // namespace glossivo
