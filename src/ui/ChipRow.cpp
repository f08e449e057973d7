#include "ui/ChipRow.h"

#include <QHBoxLayout>
#include <QScrollBar>
#include <QWheelEvent>

#include <cstdlib>

namespace glossivo {

ChipRow::ChipRow(QWidget* parent) : QScrollArea(parent)
{
    setObjectName(QStringLiteral("chipRow"));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(true);
    viewport()->setAutoFillBackground(false);
    auto* chips = new QWidget(this);
    m_row = new QHBoxLayout(chips);
    m_row->setContentsMargins(0, 0, 0, 0);
    m_row->setSpacing(6);
    m_row->addStretch(1);
    setWidget(chips);
    // The scroll area paints its content's background; the panel's should show.
    chips->setAutoFillBackground(false);
}

void ChipRow::add(QWidget* widget)
{
    m_row->insertWidget(m_row->count() - 1, widget, 0, Qt::AlignVCenter);
    setFixedHeight(this->widget()->sizeHint().height());
}

void ChipRow::wheelEvent(QWheelEvent* event)
{
    const QPoint delta = event->angleDelta();
    const int step = std::abs(delta.x()) > std::abs(delta.y()) ? delta.x() : delta.y();
    QScrollBar* bar = horizontalScrollBar();
    const int before = bar->value();
    bar->setValue(before - step / 2);
    // At either end the wheel belongs to whatever lies behind.
    event->setAccepted(bar->value() != before);
}

} // namespace glossivo
