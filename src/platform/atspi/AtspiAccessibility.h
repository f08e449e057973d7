#pragma once

#include "input/AccessibilityReader.h"

#include <chrono>

typedef struct _AtspiAccessible AtspiAccessible;

namespace glossivo {

class AtspiBudget;

// The accessibility interface over the AT-SPI bus. The focused object is followed through
// focus events, and looked for in the active window of the application when no event came
// (the application gained focus before we listened). Every call waits at most the call
// timeout, and a read gives up as soon as one call fails, so an application that does not
// answer costs the user at most that long, or once the whole read has used three timeouts.
// Our own process is never asked: it could not answer while it waits for itself.
class AtspiAccessibility : public AccessibilityReader {
public:
    explicit AtspiAccessibility(std::chrono::milliseconds timeout = std::chrono::milliseconds(300));
    ~AtspiAccessibility() override;
    AtspiAccessibility(const AtspiAccessibility&) = delete;
    AtspiAccessibility& operator=(const AtspiAccessibility&) = delete;

    // False when no accessibility bus could be reached; every read then gives nothing.
    bool isAvailable();

    std::optional<AccessibleSelection> focusedSelection(qint64 pid) override;
    std::optional<QString> documentAddress(qint64 pid) override;

    // Holds a reference to the newly focused object (called from the focus event).
    void focusChanged(AtspiAccessible* object);

private:
    bool ensureStarted();
    AtspiAccessible* focusedObject(qint64 pid, AtspiBudget& budget);
    AtspiAccessible* searchFocused(AtspiAccessible* application, AtspiBudget& budget);

    std::chrono::milliseconds m_timeout;
    enum class Start { notYet, running, failed } m_start = Start::notYet;
    AtspiAccessible* m_focused = nullptr;
    void* m_listener = nullptr;
};

} // namespace glossivo
