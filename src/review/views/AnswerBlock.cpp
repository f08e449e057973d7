#include "review/views/AnswerBlock.h"

#include "review/views/ReviewWidgets.h"
#include "ui/HighlightedLabel.h"
#include "ui/RegisterBadge.h"
#include "ui/SystemColors.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace glossivo {

namespace {

using namespace ReviewWidgets;

// The memory tip on its faint purple card.
class MemoryTip : public QWidget {
public:
    MemoryTip(const QString& tip, QWidget* parent) : QWidget(parent)
    {
        const QColor purple = systemColor(SystemColor::purple, palette());
        auto* column = new QVBoxLayout(this);
        column->setContentsMargins(8, 8, 8, 8);
        column->setSpacing(2);
        auto* title = new QHBoxLayout;
        title->setSpacing(4);
        title->addWidget(symbol(Glyph::puzzle, purple, 12, QStringLiteral("记法"), this));
        title->addWidget(text(QStringLiteral("换个记法"), 12, this, QFont::DemiBold));
        title->addStretch();
        column->addLayout(title);
        column->addWidget(&text(tip, 13, this)->wrapping());
        setObjectName(QStringLiteral("memoryTip"));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QColor fill = systemColor(SystemColor::purple, palette());
        fill.setAlphaF(0.1);
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        painter.drawRoundedRect(QRectF(rect()), 8, 8);
    }
};

} // namespace

AnswerBlock::AnswerBlock(const ReviewScreen::AnswerBlock& block, QWidget* parent)
    : GlassPanel(12, parent)
{
    setObjectName(QStringLiteral("answerBlock"));
    // A crowded question grows the window rather than squeezing the answer.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);
    const QColor grey = secondary(palette());
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(12, 12, 12, 12);
    column->setSpacing(6);

    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    PlainLabel* answer = text(block.answer, 22, this, QFont::DemiBold);
    answer->setObjectName(QStringLiteral("answerLabel"));
    row->addWidget(answer, 0, Qt::AlignBaseline);
    if (!block.fromHeadword.isEmpty())
        row->addWidget(coloured(block.fromHeadword, 13, grey, this), 0, Qt::AlignBaseline);
    row->addWidget(coloured(block.phonetic, 13, grey, this), 0, Qt::AlignBaseline);
    if (QLabel* badge = RegisterBadge::make(block.register_, this)) {
        badge->setAccessibleName(badge->text());
        row->addWidget(badge, 0, Qt::AlignVCenter);
    }
    row->addStretch();
    column->addLayout(row);

    PlainLabel* meaning = text(block.meaning, 16, this, QFont::Medium);
    meaning->setObjectName(QStringLiteral("meaningLabel"));
    column->addWidget(&meaning->wrapping());
    if (block.sentence) {
        auto* sentence = new HighlightedLabel(*block.sentence, {block.answer}, 14, this);
        sentence->setFont(DesignSize::font(sentence->font(), 14));
        sentence->setAccessibleName(*block.sentence);
        column->addWidget(sentence);
    }
    if (block.sentenceZh)
        column->addWidget(&coloured(*block.sentenceZh, 13, grey, this)->wrapping());
    if (block.memoryTip) {
        column->addWidget(new MemoryTip(*block.memoryTip, this));
    } else if (block.note) {
        auto* note = new QHBoxLayout;
        note->setSpacing(4);
        note->addWidget(symbol(Glyph::sparkles, grey, 12, QStringLiteral("AI 笔记"), this), 0,
                        Qt::AlignTop);
        PlainLabel* answerText = coloured(*block.note, 12, grey, this);
        answerText->wrapping();
        // At most three lines of the note.
        answerText->setMaximumHeight(answerText->fontMetrics().lineSpacing() * 3);
        answerText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        note->addWidget(answerText, 1);
        column->addLayout(note);
    }
}

} // namespace glossivo
