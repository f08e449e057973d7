#pragma once

#include <QStyledItemDelegate>

namespace glossivo {

// Paints a row of the grammar or the affix list: a seal in the tab's colour when the point or
// affix was met, else a lock; its name (the affix's form in a fixed-pitch font) and, for an
// affix, its meaning; the number of records at the trailing edge. Section headers are small
// secondary captions.
class CatalogueRowDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace glossivo
