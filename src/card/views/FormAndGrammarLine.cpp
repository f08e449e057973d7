#include "card/views/FormAndGrammarLine.h"

#include "card/WordLines.h"
#include "ui/CapsuleLabel.h"
#include "ui/PlainLabel.h"
#include "ui/SystemColors.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace glossivo {

FormAndGrammarLine* FormAndGrammarLine::make(const Explanation& explanation, QWidget* parent)
{
    if (!WordLines::formText(explanation) && !WordLines::grammar(explanation)) return nullptr;
    return new FormAndGrammarLine(explanation, parent);
}

FormAndGrammarLine::FormAndGrammarLine(const Explanation& explanation, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("formAndGrammarLine"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(3);
    if (const auto form = WordLines::formText(explanation)) {
        auto* label = new PlainLabel(*form, this);
        label->sized(12, QFont::Medium).wrapping();
        column->addWidget(label);
    }
    if (const auto point = WordLines::grammar(explanation)) {
        auto* row = new QHBoxLayout;
        row->setSpacing(4);
        auto* chip =
            new CapsuleLabel(grammarLabel(*point), systemColor(SystemColor::teal, palette()), 0.18,
                             QMargins(5, 1, 5, 1), 11, this);
        chip->setObjectName(QStringLiteral("grammarChip"));
        chip->setToolTip(grammarExplanation(*point));
        row->addWidget(chip, 0, Qt::AlignTop);
        const QString note = explanation.grammarNoteZh.value_or(QString());
        if (!note.isEmpty()) {
            auto* noteLabel = new PlainLabel(note, this);
            noteLabel->sized(12).secondary().wrapping();
            row->addWidget(noteLabel, 1);
        } else {
            row->addStretch(1);
        }
        column->addLayout(row);
    }
}

} // namespace glossivo
