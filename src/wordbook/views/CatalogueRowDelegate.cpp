#include "wordbook/views/CatalogueRowDelegate.h"

#include "ui/DesignSize.h"
#include "ui/Glyphs.h"
#include "ui/SystemColors.h"
#include "wordbook/CatalogueModel.h"
#include "wordbook/views/WordBookStyle.h"

#include <QPainter>

namespace glossivo {

namespace {

constexpr int kInset = 8;
constexpr int kIconFrame = 18;
constexpr int kSpacing = 6;

bool isAffixes(const QModelIndex& index)
{
    const auto* model = qobject_cast<const CatalogueModel*>(index.model());
    return model && model->kind() == CatalogueModel::Kind::affixes;
}

QFont labelFont(const QFont& base, bool affix)
{
    return affix ? DesignSize::monospace(base, WordBookStyle::kBody, QFont::DemiBold)
                 : DesignSize::font(base, WordBookStyle::kBody);
}

} // namespace

QSize CatalogueRowDelegate::sizeHint(const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const
{
    if (index.data(CatalogueModel::HeaderRole).toBool()) {
        const QFont caption =
            DesignSize::font(option.font, WordBookStyle::kCaption, QFont::DemiBold);
        return QSize(200, QFontMetrics(caption).height() + (index.row() == 0 ? 8 : 16));
    }
    const int padding = isAffixes(index) ? 2 : 4;
    return QSize(200,
                 QFontMetrics(labelFont(option.font, isAffixes(index))).height() + 2 * padding + 4);
}

void CatalogueRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QPalette& palette = option.palette;
    const QRect rect = option.rect.adjusted(kInset, 0, -kInset, 0);
    if (index.data(CatalogueModel::HeaderRole).toBool()) {
        painter->setFont(DesignSize::font(option.font, WordBookStyle::kCaption, QFont::DemiBold));
        painter->setPen(WordBookStyle::secondary(palette));
        painter->drawText(rect.adjusted(0, 0, 0, -3), Qt::AlignLeft | Qt::AlignBottom,
                          index.data(Qt::DisplayRole).toString());
        painter->restore();
        return;
    }
    const bool selected = WordBookStyle::paintRowSelection(*painter, option);
    const bool affix = isAffixes(index);
    const int count = index.data(CatalogueModel::CountRole).toInt();
    const QColor primary = palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    const QColor secondary = selected ? primary : WordBookStyle::secondary(palette);
    const QColor tint = systemColor(affix ? SystemColor::indigo : SystemColor::teal, palette);

    const int side = 13;
    glyphIcon(count > 0 ? Glyph::checkmarkSealFilled : Glyph::lockFilled,
              count > 0 && !selected ? tint : secondary, side)
        .paint(painter, QRect(rect.left() + (kIconFrame - side) / 2,
                              rect.top() + (rect.height() - side) / 2, side, side));
    int x = rect.left() + kIconFrame + kSpacing;
    int right = rect.right();

    const QFont caption = DesignSize::font(option.font, WordBookStyle::kCaption);
    if (count > 0) {
        const QString number = QString::number(count);
        painter->setFont(caption);
        painter->setPen(secondary);
        painter->drawText(QRect(x, rect.top(), right - x, rect.height()),
                          Qt::AlignRight | Qt::AlignVCenter, number);
        right -= QFontMetrics(caption).horizontalAdvance(number) + kSpacing;
    }
    const QFont font = labelFont(option.font, affix);
    const QString label = index.data(Qt::DisplayRole).toString();
    painter->setFont(font);
    painter->setPen(count > 0 ? primary : secondary);
    const QString shown = QFontMetrics(font).elidedText(label, Qt::ElideRight, qMax(0, right - x));
    painter->drawText(QRect(x, rect.top(), right - x, rect.height()),
                      Qt::AlignLeft | Qt::AlignVCenter, shown);
    x += QFontMetrics(font).horizontalAdvance(shown) + kSpacing;
    const QString detail = index.data(CatalogueModel::DetailRole).toString();
    if (!detail.isEmpty() && x < right) {
        painter->setFont(caption);
        painter->setPen(secondary);
        painter->drawText(QRect(x, rect.top(), right - x, rect.height()),
                          Qt::AlignLeft | Qt::AlignVCenter,
                          QFontMetrics(caption).elidedText(detail, Qt::ElideRight, right - x));
    }
    painter->restore();
}

} // namespace glossivo
