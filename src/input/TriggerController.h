#pragma once

#include "input/ClickCounter.h"
#include "input/InputEvents.h"
#include "input/ModifierState.h"
#include "input/RegionKeyTaps.h"
#include "model/AppConfig.h"

#include <QCoro/QCoroTask>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QSet>
#include <QTimer>

#include <chrono>
#include <functional>
#include <optional>

namespace glossivo {

class ContextRecognizer;
class GlobalInput;
class LookupCard;
class RegionChooser;
class ScreenText;
class SelectionReader;
class WindowSystem;

// Turns what the user does in other applications into lookups on the card. Four triggers:
// - selection: a drag of more than 4 pixels or a double or triple click with the left button,
//   80 ms after the button goes up, reads the selection, classifies it and hands it to the card;
// - hover: the hover key held alone looks up the word under the pointer 0.25 s after the press
//   and 0.2 s after each move while it stays held;
// - dwell: the pointer at rest for dwellSeconds (0.3 to 3 s) looks up the word under it, once
//   per rest; the card withdraws when the pointer wanders off the word;
// - region: a double tap of the region key opens the overlay, and the dragged rectangle's text
//   is translated.
// A left click or Escape anywhere else hides the card; scrolling hides a translation offer.
// Events over our own windows are left alone, or a click on the card would look up the card.
// The configuration is read at every event, so a settings change applies to the next gesture.
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
        // The screen's text, for hover, dwell and region; without it they do nothing.
        ScreenText* screen = nullptr;
        // The region overlay; without it the region key does nothing.
        RegionChooser* regions = nullptr;
        // Whether a point lies on a screen outside its panels and docks; dwell rests only there.
        // Every point counts when not given.
        std::function<bool(QPoint)> inContentArea = {};
        // Milliseconds of a monotonic clock; the process's own when not given.
        std::function<qint64()> monotonicMs = {};
    };

    // How long the pointer must rest for a dwell lookup: dwellSeconds clamped to 0.3 to 3 s.
    static std::chrono::milliseconds dwellDelay(double dwellSeconds);

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
    // How often the pointer's position is looked at besides its motion events, which a pointer
    // moved by warping (by a program) does not send: often while the hover key is held or a
    // dwell waits, seldom otherwise, so that a resting desktop rarely wakes this process.
    void setPointerPollIntervals(std::chrono::milliseconds armed,
                                 std::chrono::milliseconds resting);

Q_SIGNALS:
    // A selection was read and handed to the card (or classified as nothing to show).
    void selectionHandled();
    // A hover or dwell recognition ended, whatever it found.
    void hoverHandled();
    void dwellHandled();
    // A dragged rectangle was read and its translation or error handed to the card.
    void regionHandled();

private:
    void mouseDown(const PointerEvent& event);
    void mouseUp(const PointerEvent& event);
    void keyDown(const KeyEvent& event);
    void keyUp(const KeyEvent& event);
    void scroll(const PointerEvent& event);
    void readSelection();
    QCoro::Task<> handleSelection(quint64 generation, QPoint from, QPoint point,
                                  qint64 mouseDownTime);

    void flagsChanged(qint64 timeMs);
    void pointerAt(QPoint position);
    void pollPointer();
    void updatePointerPoll();
    void mouseMoved();
    void scheduleHover(std::chrono::milliseconds delay);
    void cancelHover();
    QCoro::Task<> performHover();
    void scheduleDwell();
    void cancelDwell();
    QCoro::Task<> performDwell();
    bool dwellMayLook(QPoint p);
    void startRegionSelection();
    QCoro::Task<> translateRegion(QRect rect);
    bool pointerOnCard(QPoint p) const;
    bool cardVisible() const;
    bool regionShowing() const;
    qint64 nowMs() const;

    Services m_services;
    ClickCounter m_clicks;
    std::optional<QPoint> m_mouseDownPoint;
    // The left button went down over one of our windows: its release is ours too, wherever the
    // pointer stands when the event is read (after a busy moment, it may have moved on).
    bool m_pressOnOwnWindow = false;
    // Server time of the first press of the current click series (or drag).
    qint64 m_mouseDownTime = 0;
    // Counts selections and presses: a selection still being read when the user presses again
    // or selects anew (the third click of a triple click) is dropped, so that its card never
    // replaces what came after it.
    quint64 m_selectionGeneration = 0;
    QTimer m_selectionTimer;
    QPoint m_selectionPoint;
    QList<QMetaObject::Connection> m_connections;

    ModifierState m_modifiers;
    QSet<int> m_buttons; // held, wheel excluded
    std::optional<QPoint> m_pointer;
    QTimer m_pointerPoll;
    std::chrono::milliseconds m_armedPoll{100};
    std::chrono::milliseconds m_restingPoll{3000};
    // The hover key is held alone; `m_hoverHold` counts the holds, so that a recognition
    // finishing after its hold ended (or after a new hold began) is dropped.
    bool m_hoverHeld = false;
    quint64 m_hoverHold = 0;
    QTimer m_hoverTimer;
    // Rectangle of the word last looked up by hover or dwell, global.
    std::optional<QRectF> m_lastHoverRect;
    RegionKeyTaps m_regionTaps;
    QTimer m_dwellTimer;
    // Counts dwell schedules and cancellations: a recognition whose rest has ended is dropped.
    quint64 m_dwellGeneration = 0;
    bool m_dwellCard = false;
    bool m_dwellCardTouched = false;
    std::optional<qint64> m_lastKeyDownAt;
};

} // namespace glossivo
