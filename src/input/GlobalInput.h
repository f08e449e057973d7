#pragma once

#include "input/InputEvents.h"

#include <QObject>

namespace glossivo {

// The desktop's raw input as every trigger sees it: every button, wheel, pointer motion and key
// event, whichever application receives it, our own windows included (the triggers tell those
// apart by window id). Signals are emitted on the main thread, in the order of the events.
class GlobalInput : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // Starts listening; false when global input is not available (no X display, no XInput2).
    virtual bool start() = 0;
    virtual void stop() = 0;
    virtual bool isRunning() const = 0;

Q_SIGNALS:
    void buttonPressed(const glossivo::PointerEvent& event);
    void buttonReleased(const glossivo::PointerEvent& event);
    void scrolled(const glossivo::PointerEvent& event);
    void pointerMoved(QPoint position);
    void keyPressed(const glossivo::KeyEvent& event);
    void keyReleased(const glossivo::KeyEvent& event);
};

} // namespace glossivo
