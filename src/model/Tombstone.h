#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QList>
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
    // Each id once, where it first stands, with its earliest deletion: one deletion is all a
    // record needs, and an older version could record one twice.
    static QList<Tombstone> once(const QList<Tombstone>& tombstones);
    bool operator==(const Tombstone&) const = default;
};

} // namespace glossivo
