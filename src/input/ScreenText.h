#pragma once

#include "input/ScreenOCR.h"

#include <QCoro/QCoroTask>
#include <QPoint>
#include <QRect>
#include <QString>

#include <optional>

namespace glossivo {

// The text on the screen as the hover, dwell and region triggers read it. Soft failures give
// nothing; a capture or recognition that fails throws a std::exception whose what() says why.
class ScreenText {
public:
    virtual ~ScreenText() = default;

    // Whether the screen may be captured; asking never prompts the user.
    virtual bool captureAllowed() const = 0;
    // The strip around `point` (global): the word under it (with findWord) and its context,
    // the word's rectangle global.
    virtual QCoro::Task<std::optional<ScreenOCR::Result>> recognize(QPoint point,
                                                                    bool findWord) = 0;
    // The context of a selection made on the screen, the selected text in its place.
    virtual QCoro::Task<std::optional<ScreenOCR::Result>>
    recognizeSelection(ScreenOCR::Selection selection) = 0;
    // The text inside `rect` (global) in reading order; empty when it holds none.
    virtual QCoro::Task<std::optional<QString>> recognizeText(QRect rect) = 0;
};

} // namespace glossivo
