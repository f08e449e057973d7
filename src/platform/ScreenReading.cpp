#include "platform/ScreenReading.h"

#include "platform/qt/QtScreens.h"
#include "platform/tesseract/TesseractRecognizer.h"

namespace glossivo {

ScreenReading::ScreenReading()
    : m_grabber(&QtScreens::ownWindowFrames),
      m_recognition([] { return std::make_unique<TesseractRecognizer>(); }),
      m_ocr(&QtScreens::areas, m_grabber, m_recognition)
{
    m_recognition.warmUp();
}

} // namespace glossivo
