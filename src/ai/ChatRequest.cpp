#include "ai/ChatRequest.h"

namespace glossivo {

QString ChatRequest::masked(const QString& text) const
{
    if (apiKey.isEmpty()) return text;
    return QString(text).replace(apiKey, QStringLiteral("***"));
}

} // namespace glossivo
