#pragma once

#include "app/AppDelegate.h"
#include "app/ApplicationNames.h"
#include "app/AutostartFile.h"
#include "app/LastWrite.h"
#include "app/ScreenTriggers.h"
#include "app/WordBookWatcher.h"
#include "platform/x11/X11ActiveWindowWatcher.h"
#include "platform/x11/X11PermissionProbe.h"

#include <QTextStream>

#include <memory>

namespace glossivo {

class SingleInstance;

// The tray program's objects joined together: the process's stores and services, the desktop's
// backends, the screen triggers feeding the process's card, and the delegate with the window
// openers and settings sections of every subsystem. Made only by the copy that claimed the
// single instance, and after the application object; launching the delegate is left to the
// caller.
class TrayComposition {
public:
    explicit TrayComposition(SingleInstance& instance);
    TrayComposition(const TrayComposition&) = delete;
    TrayComposition& operator=(const TrayComposition&) = delete;

    AppDelegate& delegate() { return *m_delegate; }

private:
    ApplicationNames m_names;
    X11PermissionProbe m_permissions;
    X11ActiveWindowWatcher m_front;
    AutostartFile m_autostart;
    std::unique_ptr<ScreenTriggers> m_screenTriggers;
    std::unique_ptr<WordBookWatcher> m_wordBookWatcher;
    QTextStream m_errors{stderr};
    std::unique_ptr<LastWrite> m_lastWrite;
    std::unique_ptr<AppDelegate> m_delegate;
};

// The program started without a command-line mode: the tray application with its event loop.
// The exit status once the loop ends.
int runTrayApplication(int& argc, char** argv);

} // namespace glossivo
