#pragma once

#include <QString>

namespace glossivo {

// A tooltip showing outside text as it is: Qt would read a tooltip that looks like markup as
// rich text, so the text is escaped inside a paragraph that keeps its spacing.
inline QString plainToolTip(const QString& text)
{
    return QStringLiteral("<p style=\"white-space:pre-wrap\">") + text.toHtmlEscaped() +
           QStringLiteral("</p>");
}

} // namespace glossivo
