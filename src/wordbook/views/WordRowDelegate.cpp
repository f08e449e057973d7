#include "wordbook/views/WordRowDelegate.h"

#include "model/DisplayStage.h"
#include "model/Register.h"
#include "ui/DesignSize.h"
#include "ui/Glyphs.h"
#include "ui/RegisterStyle.h"
#include "ui/SystemColors.h"
#include "wordbook/WordListModel.h"
#include "wordbook/views/WordBookStyle.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace glossivo {

namespace {

constexpr int kInset = 8;       // the row's text from the list's edges
constexpr int kPadding = 4;     // above and below the two lines
constexpr int kLineSpacing = 2; // between them
constexpr int kSpacing = 5;     // between the marks of the first line

struct Fonts {
    QFont headline, caption, caption2;
    explicit Fonts(const QFont& base)
        : headline(DesignSize::font(base, WordBookStyle::kHeadline, QFont::DemiBold)),
          caption(DesignSize::font(base, WordBookStyle::kCaption)),
          caption2(DesignSize::font(base, WordBookStyle::kCaption2, QFont::Medium))
    {}
};

// The stage icon's place in a row, for its tooltip.
QRect iconRect(const QRect& row, const Fonts& fonts)
{
    const int side = QFontMetrics(fonts.caption).height();
    const int lineHeight = QFontMetrics(fonts.headline).height();
    return QRect(row.left() + kInset, row.top() + kPadding + (lineHeight - side) / 2, side, side);
}

// The headword as it fits the first line, and its place.
std::pair<QString, QRect> headwordPlace(const QRect& row, const Fonts& fonts,
                                        const QModelIndex& index)
{
    const QFontMetrics metrics(fonts.headline);
    const int x = iconRect(row, fonts).right() + 1 + kSpacing;
    const QString headword = metrics.elidedText(index.data(Qt::DisplayRole).toString(),
                                                Qt::ElideRight, qMax(0, row.right() - kInset - x));
    return {headword,
            QRect(x, row.top() + kPadding, metrics.horizontalAdvance(headword), metrics.height())};
}

// The spelling mark's place after the headword and the star, for its tooltip; empty when the
// word has none or the line has no room left for it.
QRect spellMarkRect(const QRect& row, const Fonts& fonts, const QModelIndex& index)
{
    if (!index.data(WordListModel::SpellRole).toBool()) return {};
    const QRect headword = headwordPlace(row, fonts, index).second;
    const int side = QFontMetrics(fonts.caption2).height() - 2;
    int x = headword.right() + 1 + kSpacing;
    if (index.data(WordListModel::WantedRole).toBool()) x += side + kSpacing;
    if (x + side > row.right() - kInset) return {};
    return QRect(x, headword.top() + (headword.height() - side) / 2, side, side);
}

void drawGlyph(QPainter* painter, Glyph glyph, const QColor& colour, const QRect& rect)
{
    glyphIcon(glyph, colour, rect.height()).paint(painter, rect);
}

} // namespace

Glyph stageGlyph(DisplayStage stage)
{
    switch (stage) {
    case DisplayStage::learning:
        return Glyph::flameFilled;
    case DisplayStage::seen:
        return Glyph::eye;
    case DisplayStage::resting:
        return Glyph::moonZzz;
    case DisplayStage::mastered:
        return Glyph::graduationCapFilled;
    case DisplayStage::dormant:
        return Glyph::powerSleep;
    }
    return Glyph::eye;
}

QSize WordRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    const Fonts fonts(option.font);
    return QSize(200, kPadding * 2 + QFontMetrics(fonts.headline).height() + kLineSpacing +
                          QFontMetrics(fonts.caption).height());
}

void WordRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QPalette& palette = option.palette;
    const bool selected = WordBookStyle::paintRowSelection(*painter, option);
    const QColor primary = palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    const QColor secondary = selected ? primary : WordBookStyle::secondary(palette);
    const Fonts fonts(option.font);
    const QRect rect = option.rect;
    const int right = rect.right() - kInset;

    // The first line.
    const QRect icon = iconRect(rect, fonts);
    const auto stage = DisplayStage(index.data(WordListModel::StageRole).toInt());
    const bool learning = index.data(WordListModel::LearningRole).toBool();
    drawGlyph(painter, stageGlyph(stage),
              learning && !selected ? systemColor(SystemColor::orange, palette) : secondary, icon);
    const auto [headword, headwordRect] = headwordPlace(rect, fonts, index);
    const int lineTop = headwordRect.top();
    const int lineHeight = headwordRect.height();
    painter->setFont(fonts.headline);
    painter->setPen(primary);
    painter->drawText(headwordRect, Qt::AlignLeft | Qt::AlignVCenter, headword);
    int x = headwordRect.right() + 1 + kSpacing;

    const int markSide = QFontMetrics(fonts.caption2).height() - 2;
    const int markTop = lineTop + (lineHeight - markSide) / 2;
    const auto mark = [&](Glyph glyph, const QColor& colour) {
        if (x + markSide > right) return;
        drawGlyph(painter, glyph, colour, QRect(x, markTop, markSide, markSide));
        x += markSide + kSpacing;
    };
    if (index.data(WordListModel::WantedRole).toBool())
        mark(Glyph::starFilled, systemColor(SystemColor::yellow, palette));
    if (index.data(WordListModel::SpellRole).toBool()) mark(Glyph::textCursor, secondary);
    if (const auto style =
            registerStyle(Register(index.data(WordListModel::RegisterRole).toInt()))) {
        const QFontMetrics badgeMetrics(fonts.caption2);
        const QRect badge(x, lineTop + (lineHeight - badgeMetrics.height() - 2) / 2,
                          badgeMetrics.horizontalAdvance(style->label) + 10,
                          badgeMetrics.height() + 2);
        if (badge.right() <= right) {
            const QColor colour = systemColor(style->colour, palette);
            QColor fill = colour;
            fill.setAlphaF(0.18);
            painter->setPen(Qt::NoPen);
            painter->setBrush(fill);
            painter->drawRoundedRect(QRectF(badge), badge.height() / 2.0, badge.height() / 2.0);
            painter->setFont(fonts.caption2);
            painter->setPen(selected ? primary : colour);
            painter->drawText(badge, Qt::AlignCenter, style->label);
            x = badge.right() + 1 + kSpacing;
        }
    }
    if (index.data(WordListModel::NotesRole).toBool()) mark(Glyph::sparkles, secondary);

    // The meaning.
    const QFontMetrics captionMetrics(fonts.caption);
    const QRect meaningRect(rect.left() + kInset, lineTop + lineHeight + kLineSpacing,
                            rect.width() - 2 * kInset, captionMetrics.height());
    painter->setFont(fonts.caption);
    painter->setPen(secondary);
    painter->drawText(
        meaningRect, Qt::AlignLeft | Qt::AlignVCenter,
        captionMetrics.elidedText(index.data(WordListModel::MeaningRole).toString().simplified(),
                                  Qt::ElideRight, meaningRect.width()));
    painter->restore();
}

// The stage icon tells its title and the spelling mark what it means; the rest of the row has
// no tooltip.
bool WordRowDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                const QStyleOptionViewItem& option, const QModelIndex& index)
{
    if (event->type() != QEvent::ToolTip || !index.isValid()) return false;
    if (iconRect(option.rect, Fonts(option.font)).contains(event->pos())) {
        QToolTip::showText(event->globalPos(), index.data(Qt::ToolTipRole).toString(), view);
        return true;
    }
    if (spellMarkRect(option.rect, Fonts(option.font), index).contains(event->pos())) {
        QToolTip::showText(event->globalPos(), QStringLiteral("常拼"), view);
        return true;
    }
    QToolTip::hideText();
    event->ignore();
    return true;
}

} // namespace glossivo
