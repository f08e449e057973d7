#include "ui/ChipRow.h"

#include <QHBoxLayout>
#include <QLinearGradient>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>

namespace glossivo {

namespace {

// Fades the chips out at an edge beyond which more of them lie, so that a cut chip reads as a
// row that goes on rather than as a fault.
class EdgeFade : public QWidget {
public:
    EdgeFade(QScrollBar& bar, QWidget* parent) : QWidget(parent), m_bar(bar)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        connect(&bar, &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
        connect(&bar, &QScrollBar::rangeChanged, this, qOverload<>(&QWidget::update));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        constexpr int kWidth = 32;
        // The input panel's glass: its base colour at 60 % over the window.
        const QColor window = palette().color(QPalette::Window);
        const QColor base = palette().color(QPalette::Base);
        const QColor ground = QColor::fromRgbF(0.4f * window.redF() + 0.6f * base.redF(),
                                               0.4f * window.greenF() + 0.6f * base.greenF(),
                                               0.4f * window.blueF() + 0.6f * base.blueF());
        QColor clear = ground;
        clear.setAlpha(0);
        QPainter painter(this);
        const auto fade = [&](int from, int to) {
            QLinearGradient gradient(from, 0, to, 0);
            gradient.setColorAt(0, clear);
            gradient.setColorAt(1, ground);
            painter.fillRect(QRect(std::min(from, to), 0, kWidth, height()), gradient);
        };
        if (m_bar.value() < m_bar.maximum()) fade(width() - kWidth, width());
        if (m_bar.value() > m_bar.minimum()) fade(kWidth, 0);
    }

private:
    QScrollBar& m_bar;
};

} // namespace

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
    m_fade = new EdgeFade(*horizontalScrollBar(), this);
}

void ChipRow::add(QWidget* widget)
{
    m_row->insertWidget(m_row->count() - 1, widget, 0, Qt::AlignVCenter);
    setFixedHeight(this->widget()->sizeHint().height());
}

void ChipRow::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    m_fade->setGeometry(viewport()->geometry());
    m_fade->raise();
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
