#include "input/KeptSelection.h"

namespace glossivo::KeptSelection {

bool isNew(unsigned long owner, const std::function<std::optional<QString>()>& textNow,
           const HeldSelection& atPress, const HeldSelection& lastRead)
{
    if (!owner) return false;
    const bool pressKnown = owner == atPress.owner && atPress.text;
    const bool readKnown = owner == lastRead.owner;
    if (!pressKnown && !readKnown) return false;
    const std::optional<QString> text = textNow();
    if (!text) return false;
    return (pressKnown && *atPress.text != *text) || (readKnown && lastRead.text != text);
}

} // namespace glossivo::KeptSelection
