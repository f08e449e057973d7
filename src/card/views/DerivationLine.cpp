#include "card/views/DerivationLine.h"

#include "card/WordLines.h"
#include "ui/CapsuleLabel.h"
#include "ui/PlainLabel.h"
#include "ui/SystemColors.h"

#include <QHBoxLayout>

namespace glossivo {

DerivationLine* DerivationLine::make(const Explanation& explanation, QWidget* parent)
{
    if (!WordLines::rootText(explanation) && WordLines::affixChips(explanation).isEmpty())
        return nullptr;
    return new DerivationLine(explanation, parent);
}

DerivationLine::DerivationLine(const Explanation& explanation, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("derivationLine"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    if (const auto root = WordLines::rootText(explanation)) {
        auto* label = new PlainLabel(*root, this);
        label->sized(12, QFont::Medium);
        row->addWidget(label);
    }
    const QColor indigo = systemColor(SystemColor::indigo, palette());
    for (const WordLines::AffixChip& affix : WordLines::affixChips(explanation)) {
        auto* chip = new CapsuleLabel(affix.text, indigo, 0.15, QMargins(5, 1, 5, 1), 11, this);
        chip->setObjectName(QStringLiteral("affixChip"));
        chip->setToolTip(affix.tooltip);
        row->addWidget(chip);
    }
    row->addStretch(1);
}

} // namespace glossivo
