#pragma once

#include <QObject>

#include <functional>
#include <memory>

class QSocketNotifier;
typedef struct _XDisplay Display;
typedef union _XEvent XEvent;

namespace glossivo {

// A connection of our own to the X server, beside the toolkit's, whose events are read on the
// main thread through a socket notifier. X errors (a window that vanished between two calls,
// say) are counted and otherwise ignored, so they never end the process.
class X11Connection : public QObject {
    Q_OBJECT

public:
    explicit X11Connection(QObject* parent = nullptr);
    ~X11Connection() override;

    // Opens the display named by DISPLAY; false when there is none.
    bool open();
    bool isOpen() const { return m_display != nullptr; }
    Display* display() const { return m_display; }
    unsigned long root() const;

    // Receives every event read on this connection. After a batch of events, `batchDone` runs
    // (so that motion can be coalesced).
    void setEventHandler(std::function<void(XEvent&)> handler,
                         std::function<void()> batchDone = {});
    // Reads the events that earlier requests left in the queue; the notifier only sees new data.
    void processEvents();

    // The number of X errors any of our connections caused so far.
    static int errorCount();
    // Makes X errors counted rather than fatal, for connections opened without this class.
    static void countErrors();

private:
    Display* m_display = nullptr;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::function<void(XEvent&)> m_handler;
    std::function<void()> m_batchDone;
};

} // namespace glossivo
