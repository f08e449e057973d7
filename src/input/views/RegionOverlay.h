#pragma once

#include "input/RegionDrag.h"

#include <QList>
#include <QPixmap>
#include <QRect>
#include <QWidget>

#include <functional>
#include <optional>

namespace glossivo {

// The dimmed, click-catching layer over every screen on which the user drags a rectangle.
// It ends once: with the dragged rectangle (in its own coordinates), or with nothing for
// Escape or a drag too small to hold text.
class RegionOverlay : public QWidget {
    Q_OBJECT

public:
    using OnFinish = std::function<void(std::optional<QRect>)>;

    // `screens` in global coordinates; the overlay covers all of them. A `backdrop` (the
    // desktop as it was, the size of the overlay) stands in for translucency where no
    // compositor blends windows; without one the window itself is translucent.
    RegionOverlay(const QList<QRect>& screens, const QPixmap& backdrop, OnFinish onFinish);

    static QString hintText();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void finish(std::optional<QRect> rect);
    void paintHint(QPainter& painter, const QRect& screen);

    RegionDrag m_drag;
    QList<QRect> m_screens; // in overlay coordinates
    QPixmap m_backdrop;
    OnFinish m_onFinish;
};

} // namespace glossivo
