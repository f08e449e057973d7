#include "wordbook/views/NoteRowDelegate.h"

#include "ui/DesignSize.h"
#include "wordbook/NoteListModel.h"
#include "wordbook/views/WordBookStyle.h"

#include <QPainter>
#include <QTextLayout>

namespace glossivo {

namespace {

constexpr int kInset = 12;  // from the list's edges
constexpr int kPadding = 2; // above and below the row's text
constexpr int kSpacing = 2; // between the passage and the question
constexpr int kMargin = 4;  // between rows

// The passage broken into at most two lines of `width`, the second cut short when more is left.
QStringList passageLines(const QString& text, const QFont& font, int width)
{
    const QString flat = text.simplified();
    QTextLayout layout(flat, font);
    layout.beginLayout();
    QStringList lines;
    while (lines.size() < 2) {
        QTextLine line = layout.createLine();
        if (!line.isValid()) break;
        line.setLineWidth(width);
        if (lines.size() == 1) {
            lines.append(
                QFontMetrics(font).elidedText(flat.mid(line.textStart()), Qt::ElideRight, width));
            break;
        }
        lines.append(flat.mid(line.textStart(), line.textLength()));
    }
    layout.endLayout();
    if (lines.isEmpty()) lines.append(QString());
    return lines;
}

struct Fonts {
    explicit Fonts(const QFont& base)
        : passage(DesignSize::font(base, 13)),
          question(DesignSize::font(base, WordBookStyle::kCaption))
    {}
    QFont passage;
    QFont question;
};

} // namespace

QSize NoteRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const Fonts fonts(option.font);
    // The list's width: rows are measured before they are placed.
    const int listWidth = option.widget ? option.widget->width() : option.rect.width();
    const int width = qMax(40, listWidth - 2 * kInset);
    const qsizetype lines =
        passageLines(index.data(Qt::DisplayRole).toString(), fonts.passage, width).size();
    return QSize(200, kMargin + 2 * kPadding + int(lines) * QFontMetrics(fonts.passage).height() +
                          kSpacing + QFontMetrics(fonts.question).height());
}

void NoteRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QPalette& palette = option.palette;
    const bool selected = WordBookStyle::paintRowSelection(*painter, option);
    const QColor primary = palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    const Fonts fonts(option.font);
    const int width = option.rect.width() - 2 * kInset;
    int y = option.rect.top() + kMargin / 2 + kPadding;
    const QFontMetrics passageMetrics(fonts.passage);
    painter->setFont(fonts.passage);
    painter->setPen(primary);
    for (const QString& line :
         passageLines(index.data(Qt::DisplayRole).toString(), fonts.passage, width)) {
        painter->drawText(QRect(option.rect.left() + kInset, y, width, passageMetrics.height()),
                          Qt::AlignLeft | Qt::AlignVCenter, line);
        y += passageMetrics.height();
    }
    y += kSpacing;
    const QFontMetrics questionMetrics(fonts.question);
    painter->setFont(fonts.question);
    painter->setPen(selected ? primary : WordBookStyle::secondary(palette));
    painter->drawText(
        QRect(option.rect.left() + kInset, y, width, questionMetrics.height()),
        Qt::AlignLeft | Qt::AlignVCenter,
        questionMetrics.elidedText(index.data(NoteListModel::QuestionRole).toString().simplified(),
                                   Qt::ElideRight, width));
    painter->restore();
}

} // namespace glossivo
