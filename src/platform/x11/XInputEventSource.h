#pragma once

#include "input/GlobalInput.h"
#include "platform/x11/X11Connection.h"

namespace glossivo {

// The desktop's input through XInput2 raw events selected on the root window of a connection
// of our own. Raw events reach us whichever client has the pointer or keyboard grabbed, but
// carry no position: the pointer's position and the window under it are asked for at each
// button event, and once per batch of motion events. Buttons 4 to 7 (wheel turns) are reported
// as scrolls. Keys carry their unshifted keysym and the modifier they are, mapped to the
// configuration's names (Alt is option, Super is command, Ctrl is control, Shift is shift).
class XInputEventSource : public GlobalInput {
    Q_OBJECT

public:
    explicit XInputEventSource(QObject* parent = nullptr);

    bool start() override;
    void stop() override;
    bool isRunning() const override { return m_running; }

private:
    bool selectEvents(bool on);
    void handle(XEvent& event);
    void flushMotion();
    void emitButton(int type, int button, qint64 time);
    void emitKey(int type, unsigned int keycode, qint64 time);

    X11Connection m_connection;
    int m_opcode = -1;
    bool m_running = false;
    bool m_motionPending = false;
};

} // namespace glossivo
