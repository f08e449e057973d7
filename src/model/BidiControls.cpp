#include "model/BidiControls.h"

#include <algorithm>

namespace glossivo::BidiControls {

namespace {

bool isControl(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069);
}

} // namespace

QString removed(const QString& text)
{
    if (std::none_of(text.begin(), text.end(), isControl)) return text;
    QString shown = text;
    shown.removeIf(isControl);
    return shown;
}

} // namespace glossivo::BidiControls
