#pragma once

#include "input/AccessibleSelection.h"

#include <QCoro/QCoroTask>
#include <QObject>
#include <QString>

#include <chrono>
#include <optional>

namespace glossivo {

class AccessibilityReader;
class Clipboard;
class SelectionBuffers;
class WindowSystem;

// Reads what the user just selected in another application, trying in turn the accessibility
// interface (which also gives the text around the selection), the PRIMARY selection when it
// changed since the mouse went down, and a synthesized Ctrl+C with the clipboard put back as it
// was. The accessibility interface is read again for a while until it agrees with the PRIMARY
// selection of this gesture, since it may lag behind it. Terminals never get the
// Ctrl+C: it would interrupt the program running in them, and neither does a focused window the
// gesture was not made over, whose old selection it would give. Nothing at all is read while the
// focus is in a password field.
class SelectionReader : public QObject {
    Q_OBJECT

public:
    struct Result {
        QString text;                   // as the application gave it, not trimmed
        std::optional<QString> context; // the selection with up to 300 units on each side
        bool operator==(const Result&) const = default;
    };

    SelectionReader(AccessibilityReader& accessibility, SelectionBuffers& buffers,
                    Clipboard& clipboard, WindowSystem& windows, QObject* parent = nullptr);

    // The first press of a gesture that may select, in another application.
    void gestureStarted();
    // `mouseDownTime` (server time) tells a PRIMARY selection of this gesture from an old one.
    // Takes up to ten poll intervals while the accessibility interface lags behind.
    QCoro::Task<std::optional<Result>> read(qint64 mouseDownTime);

    // The three ways, one by one. None means "nothing read this way".
    std::optional<Result> readViaAccessibility();
    std::optional<QString> readPrimary(qint64 mouseDownTime);
    // Waits up to ten polls of the poll interval for the copy to land. The clipboard is put back
    // whenever the copy changed it, whatever happens to the read; a second copy is refused while
    // one is pending, since its snapshot would take the first copy's text for the user's.
    QCoro::Task<std::optional<QString>> readViaClipboard();

    void setPollInterval(std::chrono::milliseconds interval) { m_pollInterval = interval; }

private:
    std::optional<AccessibleSelection> focusedSelection();
    static std::optional<Result> resultOf(const std::optional<AccessibleSelection>& selection);
    static bool isCurrent(const std::optional<AccessibleSelection>& focused,
                          const std::optional<QString>& primary, bool answered);
    static bool agrees(const Result& accessible, const std::optional<QString>& primary);
    bool focusIsInTerminal();
    bool gestureWasInFocus();

    AccessibilityReader& m_accessibility;
    SelectionBuffers& m_buffers;
    Clipboard& m_clipboard;
    WindowSystem& m_windows;
    std::chrono::milliseconds m_pollInterval{30};
    bool m_copyPending = false;
};

} // namespace glossivo
