#include "input/TriggerController.h"

#include "input/ContextRecognizer.h"
#include "input/GlobalInput.h"
#include "input/LookupCard.h"
#include "input/SelectionKind.h"
#include "input/SelectionReader.h"
#include "input/WindowSystem.h"

#include <QPointer>

#include <cmath>

namespace glossivo {

namespace {

constexpr int leftButton = 1;
constexpr double dragThreshold = 4.0;

double distance(QPoint a, QPoint b)
{
    return std::hypot(double(a.x() - b.x()), double(a.y() - b.y()));
}

} // namespace

TriggerController::TriggerController(Services services, QObject* parent)
    : QObject(parent), m_services(std::move(services))
{
    m_selectionTimer.setSingleShot(true);
    m_selectionTimer.setInterval(std::chrono::milliseconds(80));
    connect(&m_selectionTimer, &QTimer::timeout, this, &TriggerController::readSelection);
}

bool TriggerController::start()
{
    stop();
    GlobalInput* input = &m_services.input;
    m_connections = {
        connect(input, &GlobalInput::buttonPressed, this, &TriggerController::mouseDown),
        connect(input, &GlobalInput::buttonReleased, this, &TriggerController::mouseUp),
        connect(input, &GlobalInput::keyPressed, this, &TriggerController::keyDown),
        connect(input, &GlobalInput::scrolled, this, &TriggerController::scroll),
    };
    return input->start();
}

void TriggerController::stop()
{
    for (const QMetaObject::Connection& connection : std::as_const(m_connections))
        disconnect(connection);
    m_connections.clear();
    m_services.input.stop();
}

bool TriggerController::isRunning() const
{
    return !m_connections.isEmpty() && m_services.input.isRunning();
}

void TriggerController::setSelectionDelay(std::chrono::milliseconds delay)
{
    m_selectionTimer.setInterval(delay);
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
    if (event.button != leftButton) return;
    if (m_services.isOwnWindow && m_services.isOwnWindow(event.window)) return;
    // A double click selects at its second press: the selection is new since the first.
    if (m_clicks.press(event.button, event.position, event.timeMs) == 1)
        m_mouseDownTime = event.timeMs;
    m_mouseDownPoint = event.position;
    m_services.card.hide();
}

void TriggerController::mouseUp(const PointerEvent& event)
{
    if (event.button != leftButton) return;
    if (m_services.isOwnWindow && m_services.isOwnWindow(event.window)) return;
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
    if (m_services.isOwnWindow && m_services.isOwnWindow(event.focusWindow)) return;
    if (event.escape) m_services.card.hide();
}

void TriggerController::scroll(const PointerEvent& event)
{
    if (m_services.isOwnWindow && m_services.isOwnWindow(event.window)) return;
    if (m_services.card.showsTranslateOffer()) m_services.card.hide();
}

void TriggerController::readSelection()
{
    handleSelection(m_selectionPoint, m_mouseDownTime);
}

QCoro::Task<> TriggerController::handleSelection(QPoint point, qint64 mouseDownTime)
{
    QPointer<TriggerController> self(this);
    QPointer<SelectionReader> reader(&m_services.reader);
    const std::optional<SelectionReader::Result> reading = co_await reader->read(mouseDownTime);
    if (!self || !reader) co_return;
    if (!reading) {
        Q_EMIT selectionHandled();
        co_return;
    }
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
            context = co_await recognizer->contextAround(point);
            if (!self) co_return;
        }
        m_services.card.lookup(kind.text(), context, point);
        break;
    }
    }
    Q_EMIT selectionHandled();
}

} // namespace glossivo
