#pragma once

#include "input/RegionChooser.h"
#include "input/views/RegionOverlay.h"

#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QRect>

#include <functional>

namespace glossivo {

class DesktopSurface;

// Lets the user drag a rectangle over the screens for translation. One overlay at a time:
// beginning again replaces the overlay that is open, whose caller then hears nothing.
class RegionSelector : public QObject, public RegionChooser {
    Q_OBJECT

public:
    // The desktop as it is now, for the overlay's frame (global coordinates); a null picture
    // makes the overlay translucent instead.
    using Backdrop = std::function<QPixmap(const QRect& frame)>;

    explicit RegionSelector(Backdrop backdrop, QObject* parent = nullptr);
    // Frozen backdrop where no compositor runs, translucency where one does.
    explicit RegionSelector(const DesktopSurface& desktop, QObject* parent = nullptr);
    ~RegionSelector() override;

    // Opens the overlay over every screen. `onSelect` gets the dragged rectangle in global
    // coordinates once the overlay is off the screen and the windows under it are drawn
    // again, so that the rectangle can be photographed; it is never called for a cancelled
    // or too small drag. Nothing happens without screens.
    void begin(OnSelect onSelect) override;
    // Closes the overlay if one is open.
    void cancel();

    bool isShowing() const override { return !m_overlay.isNull(); }
    RegionOverlay* overlay() const { return m_overlay; }

    // How long the windows under a closed overlay get to draw themselves again.
    static constexpr int kSettleMs = 150;

private:
    void finish(std::optional<QRect> rect, QPoint origin, OnSelect onSelect);

    Backdrop m_backdrop;
    QPointer<RegionOverlay> m_overlay;
};

} // namespace glossivo
