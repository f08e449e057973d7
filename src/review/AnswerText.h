#pragma once

#include <QString>

namespace glossivo {

// How a typed answer and the expected one are made comparable.
namespace AnswerText {

// Without white space, line breaks and punctuation at either end; inner characters stay.
QString trimmed(const QString& text);
// Trimmed, composed, lower case, and with the typographic apostrophe (U+2019) made straight.
QString normalised(const QString& text);
// The same with its case kept: what tells a slip of case apart.
QString caseKept(const QString& text);

} // namespace AnswerText
} // namespace glossivo
