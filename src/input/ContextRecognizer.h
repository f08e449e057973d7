#pragma once

#include "input/ScreenOCR.h"

#include <QCoro/QCoroTask>
#include <QString>

#include <optional>

namespace glossivo {

// Reads the text on the screen around a point, to give a word selected without context its
// sentence. Provided by screen recognition; the triggers work without it.
class ContextRecognizer {
public:
    virtual ~ContextRecognizer() = default;

    // Whether the screen may be captured; asking never prompts the user.
    virtual bool captureAllowed() const = 0;
    // The recognized text around the selection, which holds the selected text where it
    // stands; none when nothing was recognized or the capture failed.
    virtual QCoro::Task<std::optional<QString>> contextAround(ScreenOCR::Selection selection) = 0;
};

} // namespace glossivo
