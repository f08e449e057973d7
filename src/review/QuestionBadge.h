#pragma once

#include "review/QuestionType.h"

#include <QString>

namespace glossivo {

// The one-character badge of a question: "认" recognition, "听" dictation, "拼" other spelling.
QString questionBadge(const QuestionType& type);

} // namespace glossivo
