#include "ui/RegisterBadge.h"

#include "ui/DesignSize.h"
#include "ui/RegisterStyle.h"
#include "ui/SystemColors.h"

#include <QPainter>

namespace glossivo {

RegisterBadge* RegisterBadge::make(Register value, QWidget* parent)
{
    const auto style = registerStyle(value);
    if (!style) return nullptr;
    const QPalette palette = parent ? parent->palette() : QPalette();
    return new RegisterBadge(style->label, systemColor(style->colour, palette), parent);
}

Register RegisterBadge::parse(const std::optional<QString>& text)
{
    return fromRawValue<Register>(text.value_or(QString()).toLower()).value_or(Register::neutral);
}

RegisterBadge::RegisterBadge(const QString& text, const QColor& colour, QWidget* parent)
    : QLabel(text, parent), m_colour(colour)
{
    setObjectName(QStringLiteral("registerBadge"));
    setTextFormat(Qt::PlainText);
    setFont(DesignSize::font(font(), 11, QFont::Medium));
    setContentsMargins(6, 2, 6, 2);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colour);
    setPalette(p);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void RegisterBadge::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor fill = m_colour;
    fill.setAlphaF(0.18);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    const qreal radius = height() / 2.0;
    painter.drawRoundedRect(QRectF(rect()), radius, radius);
    painter.end();
    QLabel::paintEvent(event);
}

} // namespace glossivo
