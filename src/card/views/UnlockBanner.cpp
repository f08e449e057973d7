#include "card/views/UnlockBanner.h"

#include "card/UnlockItems.h"
#include "ui/FlowLayout.h"
#include "ui/Glyphs.h"
#include "ui/PlainLabel.h"
#include "ui/SystemColors.h"

#include <QHBoxLayout>
#include <QPainter>

namespace glossivo {

namespace {

Glyph glyphOf(UnlockItems::Symbol symbol)
{
    switch (symbol) {
    case UnlockItems::Symbol::forms:
        return Glyph::stack;
    case UnlockItems::Symbol::grammar:
        return Glyph::book;
    case UnlockItems::Symbol::affixes:
        return Glyph::puzzle;
    case UnlockItems::Symbol::wave:
        return Glyph::wave;
    case UnlockItems::Symbol::family:
        return Glyph::people;
    }
    return Glyph::stack;
}

QWidget* item(const UnlockItems::Item& item, const QColor& orange, QWidget* parent)
{
    auto* box = new QWidget(parent);
    box->setObjectName(QStringLiteral("unlockItem"));
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    auto* icon = new QLabel(box);
    icon->setPixmap(glyphIcon(glyphOf(item.symbol), orange, 13).pixmap(13, 13));
    row->addWidget(icon);
    auto* text = new PlainLabel(item.text, box);
    text->sized(11, QFont::Medium);
    row->addWidget(text);
    box->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return box;
}

} // namespace

UnlockBanner::UnlockBanner(const Unlock& unlock, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("unlockBanner"));
    auto* flow = new FlowLayout(10, this);
    flow->setContentsMargins(8, 5, 8, 5);
    const QColor orange = systemColor(SystemColor::orange, palette());
    for (const UnlockItems::Item& entry : UnlockItems::of(unlock))
        flow->addWidget(item(entry, orange, this));
}

void UnlockBanner::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor fill = systemColor(SystemColor::orange, palette());
    fill.setAlphaF(0.08);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(rect()), 6, 6);
}

} // namespace glossivo
