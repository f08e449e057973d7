#pragma once

#include <cstdlib>
#include <ctime>

// Day keys are local days, so every test process fixes the time zone (UTC+8, where midnight
// falls at 16:00 UTC) whether it runs under ctest or by hand.
//
// Only the desktop folders, which run one at a time, may use the shared test desktop. Every
// other test process, and every program it starts, is kept off it (offscreen, no display), so
// that no window, grab or trigger of theirs lands in the middle of a desktop test.
inline void prepareTestProcess()
{
    ::setenv("TZ", "Asia/Shanghai", 1);
    ::tzset();
    if (std::getenv("GLOSSIVO_DESKTOP_TESTS") && std::getenv("DISPLAY")) {
        ::setenv("QT_QPA_PLATFORM", "xcb", 1);
        return;
    }
    ::unsetenv("DISPLAY");
    ::unsetenv("WAYLAND_DISPLAY");
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
}
