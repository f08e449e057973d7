#include "wordbook/views/DetailParts.h"

#include "ui/PartSize.h"
#include "ui/PlainLabel.h"
#include "ui/RoundedPanel.h"

#include <QHBoxLayout>
#include <QScrollArea>
#include <QVBoxLayout>

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
    stack = new QVBoxLayout(content);
    stack->setContentsMargins(20, 20, 20, 20);
    stack->setSpacing(14);
    stack->setAlignment(Qt::AlignTop);
    scroll->setWidget(content);
    scroll->viewport()->setAutoFillBackground(false);
    return scroll;
}

PlainLabel* text(const QString& text, qreal size, QFont::Weight weight, const QColor& colour,
                 QWidget* parent)
{
    auto* label = new PlainLabel(text, parent);
    label->setFont(PartSize::font(label->font(), size, weight));
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

} // namespace glossivo::DetailParts
