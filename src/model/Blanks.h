#pragma once

#include <QString>

namespace glossivo {

// Blanks are spaces and tabs, not line breaks: headwords, roots and inflected forms that the AI
// sends are trimmed of them, and a line break that survives is kept as the AI wrote it.
namespace Blanks {

bool isBlank(QChar c);
QString trimmed(const QString& text);

} // namespace Blanks
} // namespace glossivo
