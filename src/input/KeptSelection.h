#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace glossivo {

// What PRIMARY's owner held at some moment; no text while its answer is outstanding.
struct HeldSelection {
    unsigned long owner = 0;
    std::optional<QString> text;
};

namespace KeptSelection {

// Whether `owner`, which kept PRIMARY through the gesture, now holds a new selection: its text
// differs from the one it held at the press, or from the one last read from it. Comparing with
// the last read as well keeps a selection new when the press's answer came too late or after
// the owner had already selected. `textNow` is asked only when one of the two can tell.
bool isNew(unsigned long owner, const std::function<std::optional<QString>()>& textNow,
           const HeldSelection& atPress, const HeldSelection& lastRead);

} // namespace KeptSelection

} // namespace glossivo
