#include "model/ReviewStats.h"

#include "model/JsonDocumentReader.h"
#include "model/JsonFields.h"

namespace glossivo {

ReviewStats ReviewStats::fromJson(const JsonObjectReader& object)
{
    return {object.string("day"), object.integer("reviewed"), object.integer("newLearned")};
}

ReviewStats ReviewStats::fromJson(const QJsonObject& object)
{
    return decodeObject<ReviewStats>(object);
}

QJsonObject ReviewStats::toJson() const
{
    return {{QStringLiteral("day"), day},
            {QStringLiteral("reviewed"), reviewed},
            {QStringLiteral("newLearned"), newLearned}};
}

} // namespace glossivo
