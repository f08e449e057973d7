#pragma once

#include "model/DisplayStage.h"
#include "ui/Glyphs.h"

#include <QStyledItemDelegate>

namespace glossivo {

// The icon of a shown stage, in the list and in the word's stage bar.
Glyph stageGlyph(DisplayStage stage);

// Paints one word of the word list: the stage icon, the headword and its small marks (wanted,
// spelling practice, register, AI notes) on the first line, the meaning below. Every row has
// the same height, so a list of tens of thousands of words lays out at once.
class WordRowDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;
};

} // namespace glossivo
