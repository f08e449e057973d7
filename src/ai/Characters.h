#pragma once

#include <QString>

namespace glossivo {

// Limits on texts sent to and received from the AI service are counted in user-perceived
// characters, so a cut never splits an emoji or a combined letter.
namespace Characters {

// The first count characters of the text, or the whole text when it is shorter.
QString prefix(const QString& text, qsizetype count);

} // namespace Characters
} // namespace glossivo
