#include "review/views/LetterSlots.h"

#include "ui/DesignSize.h"

#include <QPainter>

#include <algorithm>
#include <limits>

namespace glossivo {

namespace {

constexpr int kSlotSpacing = 3;
constexpr int kLetterSize = 22;
constexpr int kMinimumSlotWidth = 16;

QColor colourOf(LetterSlotLayout::SlotColour colour, const QPalette& palette)
{
    switch (colour) {
    case LetterSlotLayout::SlotColour::right:
        return QColor(0x34, 0xc7, 0x59);
    case LetterSlotLayout::SlotColour::wrong:
        return QColor(0xff, 0x3b, 0x30);
    case LetterSlotLayout::SlotColour::pending:
        break;
    }
    return palette.color(QPalette::PlaceholderText);
}

} // namespace

LetterSlots::LetterSlots(QWidget* parent)
    : QWidget(parent), m_font(DesignSize::monospace(font(), kLetterSize, QFont::Medium))
{
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void LetterSlots::setAnswer(const QString& answer)
{
    m_answer = answer;
    rebuild();
}

void LetterSlots::setTyped(const QString& typed)
{
    m_typed = typed;
    rebuild();
}

void LetterSlots::rebuild()
{
    m_slots = LetterSlotLayout::arrange(m_answer, m_typed);
    const QFontMetrics metrics(m_font);
    m_widths.clear();
    for (const auto& slot : std::as_const(m_slots))
        m_widths.append(std::max(metrics.horizontalAdvance(slot.character), kMinimumSlotWidth));
    updateGeometry();
    update();
}

QList<QPoint> LetterSlots::places(int width) const
{
    return LetterSlotLayout::place(m_slots, m_widths, kSlotSpacing, width);
}

int LetterSlots::heightOf(const QList<QPoint>& places) const
{
    const int rows = places.isEmpty() ? 1 : places.last().y() + 1;
    return rows * QFontMetrics(m_font).height() + (rows - 1) * kSlotSpacing;
}

QSize LetterSlots::sizeHint() const
{
    const QList<QPoint> row = places(std::numeric_limits<int>::max());
    const int width = row.isEmpty() ? 0 : row.last().x() + m_widths.last();
    return {width, heightOf(row)};
}

QSize LetterSlots::minimumSizeHint() const
{
    const int widest = m_widths.isEmpty() ? 0 : *std::max_element(m_widths.begin(), m_widths.end());
    return {widest, QFontMetrics(m_font).height()};
}

int LetterSlots::heightForWidth(int width) const
{
    return heightOf(places(width));
}

void LetterSlots::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(m_font);
    const int height = QFontMetrics(m_font).height();
    const QList<QPoint> where = places(width());
    for (qsizetype i = 0; i < m_slots.size(); ++i) {
        painter.setPen(colourOf(m_slots[i].colour, palette()));
        const QRect cell(where[i].x(), where[i].y() * (height + kSlotSpacing), m_widths[i], height);
        painter.drawText(cell, Qt::AlignCenter, m_slots[i].character);
    }
}

} // namespace glossivo
