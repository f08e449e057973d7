#pragma once

#include "input/RecognitionWorker.h"
#include "input/ScreenOCR.h"
#include "platform/x11/X11ScreenGrabber.h"

namespace glossivo {

// The screen reader of the running program: X11 capture of the desktop without our own
// windows, and Tesseract engines on worker threads, started when a lookup may come and ended
// after minutes of rest.
class ScreenReading {
public:
    ScreenReading();
    ScreenReading(const ScreenReading&) = delete;
    ScreenReading& operator=(const ScreenReading&) = delete;

    ScreenOCR& ocr() { return m_ocr; }
    // Starts the engines unless they are started; cheap enough for every pointer motion.
    void prepare() { m_recognition.warmUp(); }

private:
    X11ScreenGrabber m_grabber;
    RecognitionWorker m_recognition;
    ScreenOCR m_ocr;
};

} // namespace glossivo
