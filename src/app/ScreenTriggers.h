#pragma once

#include "input/OCRScreenText.h"
#include "input/ScreenContext.h"
#include "input/SelectionReader.h"
#include "input/SourceInfo.h"
#include "input/TriggerController.h"
#include "input/views/RegionSelector.h"
#include "platform/ScreenInputBackends.h"
#include "platform/ScreenReading.h"
#include "platform/x11/X11DesktopSurface.h"

#include <functional>

namespace glossivo {

class LookupCard;
class PermissionSource;

// Screen input as the running program has it: the desktop's input, windows and selections,
// the recogniser started when a lookup may come, the region overlay, and the trigger controller
// with its four triggers, handing what they find to the card. Built once at start-up; start()
// begins listening once the session allows it.
class ScreenTriggers {
public:
    // The card and the permissions are borrowed and must outlive this object. The config is
    // read at every gesture. `applicationName` names the application of a window class where
    // a lookup was made, as the settings window names it.
    ScreenTriggers(LookupCard& card, std::function<AppConfig()> config,
                   const PermissionSource& permissions,
                   std::function<QString(const QString&)> applicationName = {});
    ScreenTriggers(const ScreenTriggers&) = delete;
    ScreenTriggers& operator=(const ScreenTriggers&) = delete;

    // False when this desktop gives no global input (see TriggerController::start()).
    bool start() { return m_controller.start(); }
    void stop() { m_controller.stop(); }

    TriggerController& controller() { return m_controller; }
    // Where the user is reading now: the front window's application, title and page address.
    PageSource pageSource() { return m_source.current(); }

private:
    ScreenInputBackends m_backends;
    SelectionReader m_reader;
    SourceInfo m_source;
    ScreenReading m_reading;
    OCRScreenText m_screen;
    ScreenContext m_context;
    X11DesktopSurface m_desktop;
    RegionSelector m_regions{m_desktop};
    TriggerController m_controller;
};

} // namespace glossivo
