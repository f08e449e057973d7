#pragma once

#include <QJsonObject>
#include <QString>

namespace glossivo {

class JsonObjectReader;

// Today's review counters ("review-stats.json").
struct ReviewStats {
    QString day; // local day key "yyyy-MM-dd"
    int reviewed = 0;
    int newLearned = 0;

    static ReviewStats fromJson(const JsonObjectReader& object);
    static ReviewStats fromJson(const QJsonObject& object);
    QJsonObject toJson() const;
    bool operator==(const ReviewStats&) const = default;
};

} // namespace glossivo
