#include "ui/ChipButton.h"

#include "ui/DesignSize.h"

#include <QPainter>
#include <QPainterPath>

namespace glossivo {

ChipButton::ChipButton(const QString& text, QWidget* parent) : QAbstractButton(parent)
{
    setText(text);
    setFont(DesignSize::font(font(), 12));
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize ChipButton::sizeHint() const
{
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(text()) + 2 * kHorizontalPadding,
            metrics.height() + 2 * kVerticalPadding};
}

void ChipButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor primary = palette().color(QPalette::WindowText);
    QColor fill = primary;
    fill.setAlphaF(isDown() ? 0.15 : 0.07);
    QPainterPath capsule;
    const QRectF box = QRectF(rect());
    capsule.addRoundedRect(box, box.height() / 2, box.height() / 2);
    painter.fillPath(capsule, fill);
    // A disabled chip is drawn faded, as the desktop draws any disabled control.
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(rect(), Qt::AlignCenter, text());
}

} // namespace glossivo
