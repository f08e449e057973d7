#pragma once

#include "coach/CoachMessage.h"

#include <QList>

namespace glossivo {

// One day's coach conversation in coach.json.
struct CoachDay {
    QString day; // day key "yyyy-MM-dd"
    QList<CoachMessage> messages;

    // "day" and "messages" are required; throws JsonError otherwise.
    static CoachDay fromJson(const QJsonObject& object);
    QJsonObject toJson() const;
    bool operator==(const CoachDay&) const = default;
};

} // namespace glossivo
