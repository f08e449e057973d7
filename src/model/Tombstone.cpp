#include "model/Tombstone.h"

#include "model/JsonDocumentReader.h"
#include "model/JsonFields.h"

#include <QHash>

namespace glossivo {

Tombstone Tombstone::fromJson(const JsonObjectReader& object)
{
    return {object.string("id"), object.date("at")};
}

Tombstone Tombstone::fromJson(const QJsonObject& object)
{
    return decodeObject<Tombstone>(object);
}

QJsonObject Tombstone::toJson() const
{
    QJsonObject object{{QStringLiteral("id"), id}};
    Json::putDate(object, "at", at);
    return object;
}

QList<Tombstone> Tombstone::once(const QList<Tombstone>& tombstones)
{
    QList<Tombstone> kept;
    kept.reserve(tombstones.size());
    QHash<QString, qsizetype> at;
    for (const Tombstone& tombstone : tombstones) {
        const auto stored = at.constFind(tombstone.id);
        if (stored == at.cend()) {
            at.insert(tombstone.id, kept.size());
            kept.append(tombstone);
        } else if (tombstone.at < kept[*stored].at) {
            kept[*stored].at = tombstone.at;
        }
    }
    return kept;
}

} // namespace glossivo
