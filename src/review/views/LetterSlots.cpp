#include "review/views/LetterSlots.h"

#include "review/LetterSlotLayout.h"
#include "ui/DesignSize.h"
#include "ui/FlowLayout.h"

#include <QLabel>

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

// A long answer wraps onto further rows of slots rather than running out of the window.
LetterSlots::LetterSlots(QWidget* parent)
    : QWidget(parent), m_row(new FlowLayout(kSlotSpacing, this))
{}

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
    while (QLayoutItem* item = m_row->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const QFont font = DesignSize::monospace(this->font(), kLetterSize, QFont::Medium);
    for (const auto& slot : LetterSlotLayout::arrange(m_answer, m_typed)) {
        auto* label = new QLabel(this);
        label->setTextFormat(Qt::PlainText);
        label->setText(slot.character);
        label->setFont(font);
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(kMinimumSlotWidth);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colourOf(slot.colour, palette));
        label->setPalette(palette);
        m_row->addWidget(label);
    }
    // At once, not when the event loop comes round, so the slots keep up with the typing; once
    // the row is complete, so they are laid out side by side.
    for (int i = 0; i < m_row->count(); ++i)
        if (QWidget* slot = m_row->itemAt(i)->widget()) slot->show();
}

} // namespace glossivo
