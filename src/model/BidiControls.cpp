#include "model/BidiControls.h"

#include <algorithm>

namespace glossivo::BidiControls {

QString removed(const QString& text)
{
    const auto control = [](QChar c) { return isControl(c.unicode()); };
    if (std::none_of(text.begin(), text.end(), control)) return text;
    QString shown = text;
    shown.removeIf(control);
    return shown;
}

} // namespace glossivo::BidiControls
