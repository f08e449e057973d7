#include "input/views/RegionSelector.h"

#include "input/RegionDrag.h"
#include "input/views/RegionOverlay.h"
#include "platform/DesktopSurface.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

namespace glossivo {

RegionSelector::RegionSelector(Backdrop backdrop, QObject* parent)
    : QObject(parent), m_backdrop(std::move(backdrop))
{}

RegionSelector::RegionSelector(const DesktopSurface& desktop, QObject* parent)
    : RegionSelector(
          [&desktop](const QRect& frame) {
              return desktop.compositing() ? QPixmap() : desktop.picture(frame);
          },
          parent)
{}

RegionSelector::~RegionSelector()
{
    cancel();
}

void RegionSelector::begin(OnSelect onSelect)
{
    cancel();
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.append(screen->geometry());
    if (screens.isEmpty()) return;
    const QRect frame = RegionDrag::overlayFrame(screens);
    const QPixmap backdrop = m_backdrop ? m_backdrop(frame) : QPixmap();
    auto* overlay =
        new RegionOverlay(screens, backdrop,
                          [this, origin = frame.topLeft(), onSelect = std::move(onSelect)](
                              std::optional<QRect> rect) { finish(rect, origin, onSelect); });
    overlay->setAttribute(Qt::WA_DeleteOnClose);
    m_overlay = overlay;
    overlay->show();
    overlay->raise();
    overlay->activateWindow();
    // The overlay bypasses the window manager, which therefore never gives it the keyboard:
    // it takes it, so that Escape reaches it whatever window had the focus.
    overlay->grabKeyboard();
}

void RegionSelector::cancel()
{
    if (!m_overlay) return;
    m_overlay->releaseKeyboard();
    m_overlay->close();
    m_overlay = nullptr;
}

void RegionSelector::finish(std::optional<QRect> rect, QPoint origin, OnSelect onSelect)
{
    cancel();
    if (!rect) return;
    const QRect global = rect->translated(origin);
    QTimer::singleShot(kSettleMs, this,
                       [global, onSelect = std::move(onSelect)] { onSelect(global); });
}

} // namespace glossivo
