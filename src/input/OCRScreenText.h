#pragma once

#include "input/ScreenText.h"

#include <functional>

namespace glossivo {

// Screen text read by recognition, allowed when the session can capture the screen.
class OCRScreenText : public ScreenText {
public:
    // `ocr` is borrowed and must outlive this object and the calls it runs.
    OCRScreenText(ScreenOCR& ocr, std::function<bool()> captureAllowed);

    bool captureAllowed() const override;
    QCoro::Task<std::optional<ScreenOCR::Result>> recognize(QPoint point, bool findWord) override;
    QCoro::Task<std::optional<ScreenOCR::Result>>
    recognizeSelection(ScreenOCR::Selection selection) override;
    QCoro::Task<std::optional<QString>> recognizeText(QRect rect) override;

private:
    ScreenOCR& m_ocr;
    std::function<bool()> m_captureAllowed;
};

} // namespace glossivo
