#pragma once

#include <QDateTime>
#include <QJsonObject>

namespace glossivo {

class JsonObjectReader;

// The FSRS memory state of a word as stored; absent until the word's first review.
struct ReviewState {
    double stability = 0;  // days
    double difficulty = 0; // 1 to 10
    QDateTime due;
    QDateTime lastReview;
    int reps = 0;
    int lapses = 0;
    int level = 0; // 0 to 6

    static ReviewState fromJson(const JsonObjectReader& object);
    static ReviewState fromJson(const QJsonObject& object);
    QJsonObject toJson() const;
    bool operator==(const ReviewState&) const = default;
};

} // namespace glossivo
