#pragma once

#include "input/RecognitionWorker.h"
#include "input/ScreenOCR.h"
#include "platform/x11/X11ScreenGrabber.h"

namespace glossivo {

// The screen reader of the running program: X11 capture of the desktop without our own
// windows, and a Tesseract engine started at once on its worker thread so that the first
// lookup finds it warm.
class ScreenReading {
public:
    ScreenReading();
    ScreenReading(const ScreenReading&) = delete;
    ScreenReading& operator=(const ScreenReading&) = delete;

    ScreenOCR& ocr() { return m_ocr; }

private:
    X11ScreenGrabber m_grabber;
    RecognitionWorker m_recognition;
    ScreenOCR m_ocr;
};

} // namespace glossivo
