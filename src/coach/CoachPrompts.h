#pragma once

#include "ai/DeepSeekClient.h"
#include "coach/CoachHistory.h"
#include "coach/CoachMessage.h"

#include <QList>
#include <QString>

#include <optional>

namespace glossivo {

// What the coach sends to the AI service, word for word.
namespace CoachPrompts {

using ChatMessages = QList<DeepSeekClient::ChatMessage>;

// Both kinds of request are streamed at this temperature.
constexpr double kTemperature = 0.7;

// The system message of every coach request.
QString persona();

// The daily brief: the persona, then the learning record, the previous day's brief (cut to
// 900 characters) when there is one, and the instructions for the brief.
ChatMessages briefing(const QString& facts, const std::optional<CoachHistory::Briefing>& previous);

// A question: the persona, the learning record framed as the request for today's brief, the
// day's conversation (every message that holds text, with its full text), then the question
// with the note on how to answer.
ChatMessages question(const QString& facts, const QList<CoachMessage>& conversation,
                      const QString& question);

} // namespace CoachPrompts
} // namespace glossivo
