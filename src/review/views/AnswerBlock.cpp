#include "review/views/AnswerBlock.h"

#include "review/views/ReviewWidgets.h"
#include "ui/BreakableText.h"
#include "ui/ClampedLabel.h"
#include "ui/FlowLayout.h"
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

    // What does not fit beside a long answer goes on the next line.
    auto* row = new FlowLayout(8);
    PlainLabel* answer = text(cappedText(block.answer), 22, this, QFont::DemiBold);
    answer->setObjectName(QStringLiteral("answerLabel"));
    row->addWidget(&answer->wrapping());
    if (!block.fromHeadword.isEmpty())
        row->addWidget(&coloured(block.fromHeadword, 13, grey, this)->wrapping());
    row->addWidget(&coloured(block.phonetic, 13, grey, this)->wrapping());
    if (QLabel* badge = RegisterBadge::make(block.register_, this)) {
        badge->setAccessibleName(badge->text());
        row->addWidget(badge);
    }
    column->addLayout(row);

    PlainLabel* meaning = text(block.meaning, 16, this, QFont::Medium);
    meaning->setObjectName(QStringLiteral("meaningLabel"));
    column->addWidget(&meaning->wrapping());
    if (block.sentence) {
        auto* sentence = new HighlightedLabel(*block.sentence, {block.answer}, 14, this, 14);
        sentence->setObjectName(QStringLiteral("answerSentence"));
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
        // At most three lines of the note, cut with "…", a note without blanks too.
        auto* answerText = new ClampedLabel(
            [](const QString& shown) {
                return shown.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"));
            },
            this);
        answerText->setObjectName(QStringLiteral("noteLabel"));
        answerText->setFont(DesignSize::font(answerText->font(), 12));
        QPalette ink = answerText->palette();
        ink.setColor(QPalette::WindowText, grey);
        answerText->setPalette(ink);
        answerText->setLineLimit(3);
        answerText->setFullText(*block.note);
        answerText->setAccessibleName(*block.note);
        note->addWidget(answerText, 1);
        column->addLayout(note);
    }
}

} // namespace glossivo
