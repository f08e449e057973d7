#include "input/TriggerController.h"

#include "input/ContextRecognizer.h"
#include "input/GlobalInput.h"
#include "input/LookupCard.h"
#include "input/RegionChooser.h"
#include "input/ScreenText.h"
#include "input/SelectionKind.h"
#include "input/SelectionReader.h"
#include "input/WindowSystem.h"
#include "model/Graphemes.h"

#include <QPointer>

#include <algorithm>
#include <cmath>
#include <exception>

namespace glossivo {

namespace {

using std::chrono::milliseconds;

constexpr int leftButton = 1;
constexpr double dragThreshold = 4.0;
constexpr milliseconds hoverPressDelay(250);
constexpr milliseconds hoverMoveDelay(200);
constexpr qint64 dwellAfterKeyMs = 1500;
constexpr double dwellStillDistance = 6.0;
constexpr int regionAnchorOffset = 24;
// Lock keys change no modifier that matters here and are no typing either.
constexpr quint32 capsLock = 0xffe5;
constexpr quint32 numLock = 0xff7f;

const QString hoverPermissionMessage =
    QStringLiteral("识别屏幕文字需要「屏幕录制」权限，请在设置里打开。");
const QString regionPermissionMessage =
    QStringLiteral("框选翻译需要「屏幕录制」权限，请在设置里打开。");
// The reason comes from the capture or the recogniser, in English: it goes on a line of its own.
const QString captureFailedMessage = QStringLiteral("截取屏幕失败。\n");
const QString nothingRecognizedMessage = QStringLiteral("框里没有识别到英文。");

double distance(QPoint a, QPoint b)
{
    return std::hypot(double(a.x() - b.x()), double(a.y() - b.y()));
}

bool contains(const std::optional<QRectF>& rect, qreal dx, qreal dy, QPoint p)
{
    return rect && rect->adjusted(-dx, -dy, dx, dy).contains(QPointF(p));
}

} // namespace

milliseconds TriggerController::dwellDelay(double dwellSeconds)
{
    // A value that is not a number would make the clamp meaningless: take the default second.
    const double seconds = std::isnan(dwellSeconds) ? 1.0 : std::clamp(dwellSeconds, 0.3, 3.0);
    return milliseconds(std::lround(seconds * 1000));
}

TriggerController::TriggerController(Services services, QObject* parent)
    : QObject(parent), m_services(std::move(services))
{
    m_selectionTimer.setSingleShot(true);
    m_selectionTimer.setInterval(milliseconds(80));
    connect(&m_selectionTimer, &QTimer::timeout, this, &TriggerController::readSelection);
    m_hoverTimer.setSingleShot(true);
    connect(&m_hoverTimer, &QTimer::timeout, this, [this] { performHover(); });
    m_dwellTimer.setSingleShot(true);
    // A coarse timer may end a one-second rest 50 ms early or late: the rest is the user's
    // setting, and a late lookup is felt.
    m_dwellTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_dwellTimer, &QTimer::timeout, this, [this] {
        updatePointerPoll();
        performDwell();
    });
    connect(&m_pointerPoll, &QTimer::timeout, this, &TriggerController::pollPointer);
}

bool TriggerController::start()
{
    stop();
    GlobalInput* input = &m_services.input;
    m_connections = {
        connect(input, &GlobalInput::buttonPressed, this, &TriggerController::mouseDown),
        connect(input, &GlobalInput::buttonReleased, this, &TriggerController::mouseUp),
        connect(input, &GlobalInput::keyPressed, this, &TriggerController::keyDown),
        connect(input, &GlobalInput::keyReleased, this, &TriggerController::keyUp),
        connect(input, &GlobalInput::scrolled, this, &TriggerController::scroll),
        connect(input, &GlobalInput::pointerMoved, this, &TriggerController::pointerAt),
    };
    if (!input->start()) return false;
    // Where the pointer rests now is no move: nothing is looked up before it moves once.
    m_pointer = m_services.windows.pointer();
    updatePointerPoll();
    return true;
}

void TriggerController::stop()
{
    for (const QMetaObject::Connection& connection : std::as_const(m_connections))
        disconnect(connection);
    m_connections.clear();
    m_services.input.stop();
    m_pointerPoll.stop();
    cancelHover();
    cancelDwell();
    // Keys and buttons may change while nobody listens.
    m_modifiers.clear();
    m_buttons.clear();
    m_regionTaps.reset();
}

bool TriggerController::isRunning() const
{
    return !m_connections.isEmpty() && m_services.input.isRunning();
}

void TriggerController::setSelectionDelay(milliseconds delay)
{
    m_selectionTimer.setInterval(delay);
}

void TriggerController::setPointerPollIntervals(milliseconds armed, milliseconds resting)
{
    m_armedPoll = armed;
    m_restingPoll = resting;
    updatePointerPoll();
}

void TriggerController::updatePointerPoll()
{
    if (m_connections.isEmpty()) return;
    const milliseconds interval =
        m_hoverHeld || m_dwellTimer.isActive() ? m_armedPoll : m_restingPoll;
    if (!m_pointerPoll.isActive() || m_pointerPoll.intervalAsDuration() != interval)
        m_pointerPoll.start(interval);
}

bool TriggerController::isFrontmostExcluded()
{
    const std::optional<WindowInfo> active = m_services.windows.activeWindow();
    if (!active) return false;
    if (m_services.isOwnWindow && m_services.isOwnWindow(active->id)) return true;
    return m_services.config().excludedBundleIDs.contains(active->appId);
}

void TriggerController::mouseDown(const PointerEvent& event)
{
    m_buttons.insert(event.button);
    if (event.button != leftButton) return;
    m_pressOnOwnWindow = m_services.isOwnWindow && m_services.isOwnWindow(event.window);
    if (m_pressOnOwnWindow) return;
    // A double click selects at its second press: the selection is new since the first.
    if (m_clicks.press(event.button, event.position, event.timeMs) == 1) {
        m_mouseDownTime = event.timeMs;
        m_services.reader.gestureStarted();
    }
    m_mouseDownPoint = event.position;
    ++m_selectionGeneration;
    m_regionTaps.reset();
    cancelDwell();
    m_dwellCard = false;
    m_services.card.hide();
}

void TriggerController::mouseUp(const PointerEvent& event)
{
    m_buttons.remove(event.button);
    if (event.button != leftButton) return;
    if (m_pressOnOwnWindow || (m_services.isOwnWindow && m_services.isOwnWindow(event.window)))
        return;
    if (!m_services.config().autoPopupOnSelect) return;
    if (isFrontmostExcluded()) return;
    const QPoint point = event.position;
    const bool dragged = m_mouseDownPoint && distance(*m_mouseDownPoint, point) > dragThreshold;
    if (!dragged && m_clicks.count() < 2) return;
    m_selectionPoint = point;
    m_selectionTimer.start();
}

void TriggerController::keyDown(const KeyEvent& event)
{
    if (event.modifier) {
        if (m_modifiers.press(event)) flagsChanged(event.timeMs);
        return;
    }
    if (event.keysym == capsLock || event.keysym == numLock) return;
    if (m_services.isOwnWindow && m_services.isOwnWindow(event.focusWindow)) return;
    m_lastKeyDownAt = nowMs();
    cancelDwell();
    if (event.escape) m_services.card.hide();
    // A key typed while the hover key is held makes a shortcut, not a hover.
    if (m_hoverHeld) cancelHover();
    m_regionTaps.reset();
}

void TriggerController::keyUp(const KeyEvent& event)
{
    if (m_modifiers.release(event)) flagsChanged(event.timeMs);
}

void TriggerController::scroll(const PointerEvent& event)
{
    if (m_services.isOwnWindow && m_services.isOwnWindow(event.window)) return;
    if (m_services.card.showsTranslateOffer()) m_services.card.hide();
}

void TriggerController::flagsChanged(qint64 timeMs)
{
    const AppConfig config = m_services.config();
    if (m_modifiers.heldAlone(config.hoverKey)) {
        if (!m_hoverHeld) {
            m_hoverHeld = true;
            ++m_hoverHold;
            m_lastHoverRect.reset();
            scheduleHover(hoverPressDelay);
        }
    } else if (m_hoverHeld) {
        cancelHover();
    }
    updatePointerPoll();
    if (m_regionTaps.modifiersChanged(m_modifiers.heldAlone(config.regionKey), m_modifiers.none(),
                                      timeMs))
        startRegionSelection();
}

void TriggerController::pointerAt(QPoint position)
{
    if (m_pointer == position) return;
    m_pointer = position;
    mouseMoved();
}

void TriggerController::pollPointer()
{
    pointerAt(m_services.windows.pointer());
}

void TriggerController::mouseMoved()
{
    if (m_hoverHeld) {
        scheduleHover(hoverMoveDelay);
        return;
    }
    const QPoint p = *m_pointer;
    if (m_dwellCard) {
        if (const std::optional<QRect> frame = m_services.card.visibleFrame()) {
            if (frame->adjusted(-4, -4, 4, 4).contains(p)) {
                m_dwellCardTouched = true;
            } else if (!m_dwellCardTouched && !contains(m_lastHoverRect, 60, 40, p)) {
                m_services.card.hide();
                m_dwellCard = false;
                m_lastHoverRect.reset();
            }
        }
    }
    scheduleDwell();
}

void TriggerController::scheduleHover(milliseconds delay)
{
    m_hoverTimer.start(delay);
}

void TriggerController::cancelHover()
{
    m_hoverTimer.stop();
    if (m_hoverHeld) {
        m_hoverHeld = false;
        ++m_hoverHold;
    }
    updatePointerPoll();
}

QCoro::Task<> TriggerController::performHover()
{
    QPointer<TriggerController> self(this);
    const quint64 hold = m_hoverHold;
    ScreenText* screen = m_services.screen;
    if (!m_hoverHeld || !screen || !m_services.config().optionHoverOCR) co_return;
    if (isFrontmostExcluded() || regionShowing()) co_return;
    const QPoint p = m_services.windows.pointer();
    if (pointerOnCard(p) || contains(m_lastHoverRect, 2, 2, p)) co_return;
    if (!screen->captureAllowed()) {
        m_services.card.showError(hoverPermissionMessage, true, p);
        co_return;
    }
    std::optional<ScreenOCR::Result> result;
    std::optional<QString> failure;
    try {
        result = co_await screen->recognize(p, true);
    } catch (const std::exception& error) {
        failure = QString::fromUtf8(error.what());
    }
    if (!self) co_return;
    if (failure) {
        m_services.card.showError(captureFailedMessage + *failure, false, p);
    } else if (result && result->word && m_hoverHeld && m_hoverHold == hold) {
        m_lastHoverRect = result->wordRect;
        m_dwellCard = false;
        // At the pointer of the capture, not where the pointer is now.
        m_services.card.lookup(*result->word, result->context, p);
    }
    Q_EMIT hoverHandled();
}

void TriggerController::scheduleDwell()
{
    cancelDwell();
    const AppConfig config = m_services.config();
    // Moves with a button held are a drag: the rest after it counts only from a new move, or
    // the word under a released selection would be looked up.
    if (config.dwellLookup && m_buttons.isEmpty())
        m_dwellTimer.start(dwellDelay(config.dwellSeconds));
    updatePointerPoll();
}

void TriggerController::cancelDwell()
{
    m_dwellTimer.stop();
    ++m_dwellGeneration;
    updatePointerPoll();
}

bool TriggerController::dwellMayLook(QPoint p)
{
    if (!m_services.config().dwellLookup || m_hoverHeld || !m_services.screen) return false;
    if (isFrontmostExcluded() || regionShowing()) return false;
    if (!m_buttons.isEmpty() || !m_modifiers.none()) return false;
    if (m_lastKeyDownAt && nowMs() - *m_lastKeyDownAt <= dwellAfterKeyMs) return false;
    // The dwell trigger never asks for the permission: it only looks where it may.
    if (!m_services.screen->captureAllowed()) return false;
    if (pointerOnCard(p)) return false;
    if (m_services.inContentArea && !m_services.inContentArea(p)) return false;
    // A card opened by another trigger is never replaced by a dwell lookup.
    if (cardVisible() && !m_dwellCard) return false;
    return !contains(m_lastHoverRect, 2, 2, p);
}

QCoro::Task<> TriggerController::performDwell()
{
    QPointer<TriggerController> self(this);
    const quint64 generation = m_dwellGeneration;
    const QPoint p = m_services.windows.pointer();
    if (!dwellMayLook(p)) co_return;
    std::optional<ScreenOCR::Result> result;
    try {
        result = co_await m_services.screen->recognize(p, true);
    } catch (const std::exception&) {
        result.reset();
    }
    if (!self) co_return;
    const bool found = result && result->word && Graphemes::split(*result->word).size() >= 2;
    const bool stillResting = distance(m_services.windows.pointer(), p) < dwellStillDistance &&
                              generation == m_dwellGeneration;
    if (found && stillResting && (!cardVisible() || m_dwellCard)) {
        m_lastHoverRect = result->wordRect;
        m_dwellCard = true;
        m_dwellCardTouched = false;
        m_services.card.lookup(*result->word, result->context, p);
    }
    Q_EMIT dwellHandled();
}

void TriggerController::startRegionSelection()
{
    RegionChooser* regions = m_services.regions;
    if (!regions || !m_services.screen) return;
    if (!m_services.config().optionRegionTranslate || isFrontmostExcluded()) return;
    m_dwellCard = false;
    m_services.card.hide();
    if (!m_services.screen->captureAllowed()) {
        m_services.card.showError(regionPermissionMessage, true, m_services.windows.pointer());
        return;
    }
    cancelDwell();
    QPointer<TriggerController> self(this);
    regions->begin([self](QRect rect) {
        if (self) self->translateRegion(rect);
    });
}

QCoro::Task<> TriggerController::translateRegion(QRect rect)
{
    QPointer<TriggerController> self(this);
    // Just under the rectangle's bottom-left corner.
    const QPoint anchor(rect.x() + regionAnchorOffset, rect.y() + rect.height());
    std::optional<QString> text;
    std::optional<QString> failure;
    try {
        text = co_await m_services.screen->recognizeText(rect);
    } catch (const std::exception& error) {
        failure = QString::fromUtf8(error.what());
    }
    if (!self) co_return;
    if (failure)
        m_services.card.showError(captureFailedMessage + *failure, false, anchor);
    else if (text && !text->isEmpty())
        // Whatever was recognised is translated: a region is not classified.
        m_services.card.showTranslation(*text, anchor);
    else
        m_services.card.showError(nothingRecognizedMessage, false, anchor);
    Q_EMIT regionHandled();
}

bool TriggerController::pointerOnCard(QPoint p) const
{
    const std::optional<QRect> frame = m_services.card.visibleFrame();
    return frame && frame->adjusted(-4, -4, 4, 4).contains(p);
}

bool TriggerController::cardVisible() const
{
    return m_services.card.visibleFrame().has_value();
}

bool TriggerController::regionShowing() const
{
    return m_services.regions && m_services.regions->isShowing();
}

qint64 TriggerController::nowMs() const
{
    if (m_services.monotonicMs) return m_services.monotonicMs();
    return std::chrono::duration_cast<milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void TriggerController::readSelection()
{
    handleSelection(++m_selectionGeneration, m_mouseDownPoint.value_or(m_selectionPoint),
                    m_selectionPoint, m_mouseDownTime);
}

QCoro::Task<> TriggerController::handleSelection(quint64 generation, QPoint from, QPoint point,
                                                 qint64 mouseDownTime)
{
    QPointer<TriggerController> self(this);
    QPointer<SelectionReader> reader(&m_services.reader);
    const std::optional<SelectionReader::Result> reading = co_await reader->read(mouseDownTime);
    if (!self || !reader || generation != m_selectionGeneration) co_return;
    if (!reading) {
        Q_EMIT selectionHandled();
        co_return;
    }
    // The card about to open is not a dwell card.
    m_dwellCard = false;
    const SelectionKind kind = SelectionKind::classify(reading->text);
    switch (kind.kind()) {
    case SelectionKind::Kind::ignore:
        break;
    case SelectionKind::Kind::translate:
        m_services.card.offerTranslation(kind.text(), point);
        break;
    case SelectionKind::Kind::word: {
        std::optional<QString> context = reading->context;
        ContextRecognizer* recognizer = m_services.recognizer;
        if (!context && recognizer && recognizer->captureAllowed()) {
            // Named, not a temporary in the awaited call: GCC 12 destroys such a temporary
            // twice.
            ScreenOCR::Selection selection{kind.text(), from, point};
            context = co_await recognizer->contextAround(std::move(selection));
            if (!self || generation != m_selectionGeneration) co_return;
        }
        m_services.card.lookup(kind.text(), context, point);
        break;
    }
    }
    Q_EMIT selectionHandled();
}

} // namespace glossivo
