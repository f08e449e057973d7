#include "sync/CanonicalJson.h"

#include "sync/CanonicalWriter.h"

namespace glossivo::CanonicalJson {

std::optional<QByteArray> write(const QJsonValue& value)
{
    CanonicalWriter writer;
    if (!writer.value(value)) return std::nullopt;
    return writer.take();
}

} // namespace glossivo::CanonicalJson
