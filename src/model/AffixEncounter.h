#pragma once

#include "model/Affix.h"

#include <QDateTime>
#include <QJsonObject>
#include <QUuid>

#include <optional>

namespace glossivo {

class JsonObjectReader;

// The sighting of one affix in one saved word ("affixes.json").
struct AffixEncounter {
    QUuid id;
    Affix affix = Affix::un;
    QString headword;
    std::optional<QString> root;
    std::optional<QString> sentence;
    QDateTime addedAt;

    static AffixEncounter fromJson(const JsonObjectReader& object);
    static AffixEncounter fromJson(const QJsonObject& object);
    QJsonObject toJson() const;
    bool operator==(const AffixEncounter&) const = default;
};

} // namespace glossivo
