#include "platform/ScreenReading.h"

#include "platform/qt/QtScreens.h"
#include "platform/tesseract/TesseractRecognizer.h"

#include <chrono>

namespace glossivo {

namespace {

// The strip's context lines are read in this many slices side by side: a lookup waits for
// about a third of the time one engine would take, and the engines, each some tens of
// megabytes, rest on their threads between lookups.
constexpr int kEngines = 3;
// Resting in the tray, the engines would be most of the program's memory. One stays, so that
// the first lookup after a rest reads at once while the others start beside it.
constexpr std::chrono::minutes kIdleRelease(5);
constexpr int kKeptEngines = 1;

} // namespace

ScreenReading::ScreenReading()
    : m_grabber(&QtScreens::ownWindowFrames),
      m_recognition([] { return std::make_unique<TesseractRecognizer>(); }, kEngines),
      m_ocr(&QtScreens::areas, m_grabber, m_recognition)
{
    m_recognition.setIdleRelease(kIdleRelease, kKeptEngines);
}

} // namespace glossivo
