#pragma once

#include "input/ClickCounter.h"
#include "input/InputEvents.h"
#include "model/AppConfig.h"

#include <QCoro/QCoroTask>
#include <QObject>
#include <QPoint>
#include <QTimer>

#include <chrono>
#include <functional>
#include <optional>

namespace glossivo {

class ContextRecognizer;
class GlobalInput;
class LookupCard;
class SelectionReader;
class WindowSystem;

// Turns what the user does in other applications into lookups on the card: a drag of more
// than 4 pixels or a double or triple click with the left button, 80 ms after the button goes
// up, reads the selection, classifies it and hands it to the card. A left click or Escape
// anywhere else hides the card; scrolling hides a translation offer. Events over our own
// windows are left alone, or a click on the card would look up the card. The configuration is
// read at every event, so a settings change applies to the next gesture.
class TriggerController : public QObject {
    Q_OBJECT

public:
    struct Services {
        GlobalInput& input;
        WindowSystem& windows;
        SelectionReader& reader;
        LookupCard& card;
        std::function<AppConfig()> config;
        // Whether a top-level window id is one of this program's windows.
        std::function<bool(quint64)> isOwnWindow;
        // Supplies the context of a word selected without one; optional.
        ContextRecognizer* recognizer = nullptr;
    };

    explicit TriggerController(Services services, QObject* parent = nullptr);

    // Listens to the desktop's input; may be called again (it stops first). False when global
    // input is not available on this desktop.
    bool start();
    // Stops listening. A selection already being read still reaches the card.
    void stop();
    bool isRunning() const;

    // The exclusion gate of every trigger: our own window or an excluded application in front.
    bool isFrontmostExcluded();

    // The wait between the button going up and the read, which lets the application finish
    // its selection first.
    void setSelectionDelay(std::chrono::milliseconds delay);

Q_SIGNALS:
    // A selection was read and handed to the card (or classified as nothing to show).
    void selectionHandled();

private:
    void mouseDown(const PointerEvent& event);
    void mouseUp(const PointerEvent& event);
    void keyDown(const KeyEvent& event);
    void scroll(const PointerEvent& event);
    void readSelection();
    QCoro::Task<> handleSelection(QPoint point, qint64 mouseDownTime);

    Services m_services;
    ClickCounter m_clicks;
    std::optional<QPoint> m_mouseDownPoint;
    // Server time of the first press of the current click series (or drag).
    qint64 m_mouseDownTime = 0;
    QTimer m_selectionTimer;
    QPoint m_selectionPoint;
    QList<QMetaObject::Connection> m_connections;
};

} // namespace glossivo
