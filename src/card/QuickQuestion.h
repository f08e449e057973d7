#pragma once

#include "card/AskContext.h"

#include <QString>

#include <array>

namespace glossivo {

// The preset questions of the sentence chat: a title on the button and as the user's turn, and
// the prompt that is sent.
enum class QuickQuestion { why, structure, simpler, examples };

inline constexpr std::array<QuickQuestion, 4> kQuickQuestions{
    QuickQuestion::why, QuickQuestion::structure, QuickQuestion::simpler, QuickQuestion::examples};

QString titleOf(QuickQuestion question);
QString promptOf(QuickQuestion question, const AskContext& context);

} // namespace glossivo
