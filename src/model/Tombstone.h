#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QString>

namespace glossivo {

class JsonObjectReader;

// The record of a deletion, kept so that sync does not bring the deleted record back.
struct Tombstone {
    QString id; // UUID text of the deleted word, example, note or encounter
    QDateTime at;

    static Tombstone fromJson(const JsonObjectReader& object);
    static Tombstone fromJson(const QJsonObject& object);
    QJsonObject toJson() const;
    bool operator==(const Tombstone&) const = default;
};

} // namespace glossivo
