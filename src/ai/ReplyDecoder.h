#pragma once

#include "ai/DeepSeekClient.h"
#include "ai/LookupResult.h"
#include "ai/Translation.h"
#include "model/Explanation.h"

#include <QJsonObject>

namespace glossivo {

// Reads the records the AI replies with. The reply's snake_case keys name the fields
// ("register_note_zh" is registerNoteZh); unknown keys are ignored. Required fields must be
// there; an optional one may be missing or null; any present field of the wrong JSON type fails
// the whole record. Nothing is defaulted or trimmed. Failures throw JsonError.
template <class Record> Record decodeReply(const QJsonObject& reply);

template <> Explanation decodeReply<Explanation>(const QJsonObject& reply);
template <> LookupResult decodeReply<LookupResult>(const QJsonObject& reply);
template <> Translation decodeReply<Translation>(const QJsonObject& reply);
template <> DeepSeekClient::Result decodeReply<DeepSeekClient::Result>(const QJsonObject& reply);

} // namespace glossivo
