#include "ai/ChatRequest.h"

namespace glossivo {

namespace {

constexpr qsizetype kShortestMaskedKey = 8;

} // namespace

QString ChatRequest::masked(const QString& text) const
{
    if (apiKey.size() < kShortestMaskedKey) return text;
    return QString(text).replace(apiKey, QStringLiteral("***"));
}

} // namespace glossivo
