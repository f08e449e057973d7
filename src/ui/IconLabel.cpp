#include "ui/IconLabel.h"

#include "ui/PlainLabel.h"

#include <QHBoxLayout>

namespace glossivo {

IconLabel::IconLabel(Glyph glyph, const QString& text, const QColor& colour, qreal size,
                     QFont::Weight weight, QWidget* parent)
    : QWidget(parent)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(3);
    auto* icon = new QLabel(this);
    const int side = qRound(size);
    icon->setPixmap(glyphIcon(glyph, colour, side).pixmap(side, side));
    row->addWidget(icon);
    m_text = new PlainLabel(text, this);
    m_text->sized(size, weight).colour(colour);
    row->addWidget(m_text);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QString IconLabel::text() const
{
    return m_text->text();
}

} // namespace glossivo
