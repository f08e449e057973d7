#pragma once

#include "model/PageSource.h"

#include <functional>

namespace glossivo {

class AccessibilityReader;
class WindowSystem;

// Works out where the user is reading: the active window's application and title, and the
// address of the page or document it shows.
class SourceInfo {
public:
    // `applicationName` gives the name users know an application by from its window class
    // (empty when it knows none); the class stands in for a name it does not know.
    SourceInfo(WindowSystem& windows, AccessibilityReader& accessibility,
               std::function<bool(quint64)> isOwnWindow,
               std::function<QString(const QString&)> applicationName = {});

    // The empty source over the bare desktop or in one of our own windows. Only http, https
    // and file addresses are kept; an empty title is left out. Bounded by the accessibility
    // time limit.
    PageSource current();

private:
    WindowSystem& m_windows;
    AccessibilityReader& m_accessibility;
    std::function<bool(quint64)> m_isOwnWindow;
    std::function<QString(const QString&)> m_applicationName;
};

} // namespace glossivo
