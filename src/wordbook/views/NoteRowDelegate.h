#pragma once

#include <QStyledItemDelegate>

namespace glossivo {

// Paints one sentence note of the notes list: the passage on up to two lines, the question
// below it on one, each cut short with an ellipsis when longer.
class NoteRowDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace glossivo
