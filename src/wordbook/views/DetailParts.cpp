#include "wordbook/views/DetailParts.h"

#include "ui/DesignSize.h"
#include "ui/PlainLabel.h"
#include "ui/RoundedPanel.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include <memory>

namespace glossivo::DetailParts {

namespace {

class TintedCard : public QWidget {
public:
    TintedCard(const QColor& fill, QWidget* parent) : QWidget(parent), m_fill(fill) {}

protected:
    void paintEvent(QPaintEvent*) override { paintRoundedPanel(*this, 8, m_fill, 0); }

private:
    QColor m_fill;
};

} // namespace

QScrollArea* scrollingPane(QWidget* parent, QVBoxLayout*& stack)
{
    auto* scroll = new QScrollArea(parent);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidgetResizable(true);
    auto* content = new QWidget(scroll);
    content->setAutoFillBackground(false);
    // At the top by a stretch below it, not by aligning the stack: an aligned layout gets its
    // preferred height rather than the one its wrapped lines need at the pane's width.
    auto* outer = new QVBoxLayout(content);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    stack = new QVBoxLayout;
    stack->setContentsMargins(20, 20, 20, 20);
    stack->setSpacing(14);
    outer->addLayout(stack);
    outer->addStretch();
    scroll->setWidget(content);
    scroll->viewport()->setAutoFillBackground(false);
    return scroll;
}

PlainLabel* text(const QString& text, qreal size, QFont::Weight weight, const QColor& colour,
                 QWidget* parent)
{
    auto* label = new PlainLabel(text, parent);
    label->setFont(DesignSize::font(label->font(), size, weight));
    label->colour(colour);
    label->setAccessibleName(text);
    return label;
}

QWidget* iconText(Glyph glyph, const QString& shown, const QColor& colour, qreal size,
                  QWidget* parent)
{
    auto* box = new QWidget(parent);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    auto* icon = new QLabel(box);
    const int side = qRound(size);
    icon->setPixmap(glyphIcon(glyph, colour, side).pixmap(side, side));
    row->addWidget(icon);
    row->addWidget(text(shown, size, QFont::Normal, colour, box));
    box->setAccessibleName(shown);
    box->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return box;
}

void scrollTo(QScrollArea* pane, int position)
{
    QScrollBar* bar = pane->verticalScrollBar();
    if (position <= 0) return;
    auto* follow = new QObject(pane);
    const auto place = [bar, position, follow] {
        bar->setValue(qMin(position, bar->maximum()));
        if (bar->value() >= position) follow->deleteLater();
    };
    place();
    QObject::connect(bar, &QScrollBar::rangeChanged, follow, place);
    // A pane that got shorter never reaches the place: the reader's own scrolling wins then.
    QObject::connect(bar, &QScrollBar::sliderPressed, follow, &QObject::deleteLater);
    QTimer::singleShot(1000, follow, &QObject::deleteLater);
}

QWidget* divider(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    QPalette palette = line->palette();
    QColor colour = palette.color(QPalette::WindowText);
    colour.setAlphaF(0.15);
    palette.setColor(QPalette::WindowText, colour);
    line->setPalette(palette);
    return line;
}

QWidget* card(const QColor& tint, qreal opacity, int padding, int spacing, QWidget* parent,
              QVBoxLayout*& stack)
{
    QColor fill = tint;
    fill.setAlphaF(opacity);
    auto* box = new TintedCard(fill, parent);
    stack = new QVBoxLayout(box);
    stack->setContentsMargins(padding, padding, padding, padding);
    stack->setSpacing(spacing);
    return box;
}

void addCards(QScrollArea* pane, QVBoxLayout* stack, qsizetype count,
              const std::function<QWidget*(qsizetype index, QWidget* parent)>& make,
              qsizetype batch)
{
    auto added = std::make_shared<qsizetype>(0);
    QWidget* content = pane->widget();
    const auto addBatch = [stack, content, count, make, added, batch] {
        const qsizetype end = qMin(count, *added + batch);
        for (; *added < end; ++*added)
            stack->addWidget(make(*added, content));
    };
    addBatch();
    if (*added >= count) return;
    QScrollBar* bar = pane->verticalScrollBar();
    const auto more = [bar, addBatch, added, count] {
        if (*added < count && bar->value() >= bar->maximum() - bar->pageStep()) addBatch();
    };
    QObject::connect(bar, &QScrollBar::valueChanged, content, more);
    QObject::connect(bar, &QScrollBar::rangeChanged, content, more);
}

} // namespace glossivo::DetailParts
