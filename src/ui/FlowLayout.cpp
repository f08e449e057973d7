#include "ui/FlowLayout.h"

#include <QWidget>

#include <algorithm>

namespace glossivo {

QList<FlowLayout::Row> FlowLayout::arrange(const QList<QSize>& sizes, int width, int spacing)
{
    QList<Row> rows(1);
    for (qsizetype i = 0; i < sizes.size(); ++i) {
        const QSize size = sizes.at(i);
        // 64-bit, so that an unbounded width never overflows.
        if (!rows.last().indices.isEmpty() &&
            qint64(rows.last().width) + spacing + size.width() > width)
            rows.append(Row());
        Row& row = rows.last();
        row.width += row.indices.isEmpty() ? size.width() : spacing + size.width();
        row.height = std::max(row.height, size.height());
        row.indices.append(i);
    }
    return rows;
}

int FlowLayout::heightOf(const QList<Row>& rows, int spacing)
{
    int height = 0;
    for (const Row& row : rows)
        height += row.height;
    return height + spacing * static_cast<int>(rows.size() - 1);
}

FlowLayout::FlowLayout(int spacing, QWidget* parent) : QLayout(parent), m_spacing(spacing)
{
    setContentsMargins(0, 0, 0, 0);
}

FlowLayout::~FlowLayout()
{
    while (QLayoutItem* item = takeAt(0))
        delete item;
}

void FlowLayout::addItem(QLayoutItem* item)
{
    m_items.append(item);
}

QLayoutItem* FlowLayout::itemAt(int index) const
{
    return index >= 0 && index < m_items.size() ? m_items.at(index) : nullptr;
}

QLayoutItem* FlowLayout::takeAt(int index)
{
    return index >= 0 && index < m_items.size() ? m_items.takeAt(index) : nullptr;
}

QList<QSize> FlowLayout::itemSizes(int width) const
{
    QList<QSize> sizes;
    for (const QLayoutItem* item : m_items) {
        QSize size = item->sizeHint();
        if (size.width() > width) {
            size.setWidth(std::max(width, item->minimumSize().width()));
            if (item->hasHeightForWidth()) size.setHeight(item->heightForWidth(size.width()));
        }
        sizes.append(size);
    }
    return sizes;
}

int FlowLayout::heightForWidth(int width) const
{
    const QMargins margins = contentsMargins();
    const int inner = width - margins.left() - margins.right();
    return heightOf(arrange(itemSizes(inner), inner, m_spacing), m_spacing) + margins.top() +
           margins.bottom();
}

QSize FlowLayout::sizeHint() const
{
    const QList<Row> rows = arrange(itemSizes(), kUnbounded, m_spacing);
    const QMargins margins = contentsMargins();
    return QSize(rows.first().width, heightOf(rows, m_spacing)).grownBy(margins);
}

QSize FlowLayout::minimumSize() const
{
    int widest = 0;
    for (const QLayoutItem* item : m_items)
        widest = std::max(widest, item->minimumSize().width());
    return QSize(widest, 0).grownBy(contentsMargins());
}

void FlowLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    const QRect inner = rect.marginsRemoved(contentsMargins());
    const QList<QSize> sizes = itemSizes(inner.width());
    int y = inner.y();
    for (const Row& row : arrange(sizes, inner.width(), m_spacing)) {
        int x = inner.x();
        for (qsizetype index : row.indices) {
            const QSize size = sizes.at(index);
            m_items.at(index)->setGeometry(
                QRect(QPoint(x, y + (row.height - size.height()) / 2), size));
            x += sizes.at(index).width() + m_spacing;
        }
        y += row.height + m_spacing;
    }
}

} // namespace glossivo
