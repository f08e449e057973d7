#include "input/OCRScreenText.h"

namespace glossivo {

OCRScreenText::OCRScreenText(ScreenOCR& ocr, std::function<bool()> captureAllowed)
    : m_ocr(ocr), m_captureAllowed(std::move(captureAllowed))
{}

bool OCRScreenText::captureAllowed() const
{
    return m_captureAllowed && m_captureAllowed();
}

QCoro::Task<std::optional<ScreenOCR::Result>> OCRScreenText::recognize(QPoint point, bool findWord)
{
    return m_ocr.recognize(point, findWord);
}

QCoro::Task<std::optional<ScreenOCR::Result>>
OCRScreenText::recognizeSelection(ScreenOCR::Selection selection)
{
    return m_ocr.recognizeSelection(std::move(selection));
}

QCoro::Task<std::optional<QString>> OCRScreenText::recognizeText(QRect rect)
{
    return m_ocr.recognizeText(rect);
}

} // namespace glossivo
