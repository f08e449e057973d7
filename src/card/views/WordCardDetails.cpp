#include "card/views/WordCardDetails.h"

#include "card/CardController.h"
#include "card/views/AskButtons.h"
#include "card/views/DerivationLine.h"
#include "card/views/FormAndGrammarLine.h"
#include "card/views/SourceLabel.h"
#include "model/WordStore.h"
#include "ui/DesignSize.h"
#include "ui/FlowLayout.h"
#include "ui/Glyphs.h"
#include "ui/PlainLabel.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

namespace glossivo {

namespace {

bool present(const std::optional<QString>& text)
{
    return text && !text->isEmpty();
}

QToolButton* actionButton(const QString& title, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setText(title);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setFont(DesignSize::font(button->font(), 11));
    return button;
}

// Only words not yet being learnt or mastered can be put forward for learning.
bool canWantToLearn(const WordEntry& entry)
{
    const Stage stage = entry.stage.value_or(Stage::seen);
    return stage == Stage::seen || stage == Stage::resting;
}

} // namespace

WordCardDetails::WordCardDetails(const WordCardData& data, CardController& controller,
                                 QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("wordCardDetails"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    auto* divider = new QFrame(this);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Plain);
    QPalette p = divider->palette();
    QColor line = p.color(QPalette::WindowText);
    line.setAlphaF(0.15);
    p.setColor(QPalette::WindowText, line);
    divider->setPalette(p);
    column->addWidget(divider);
    if (QWidget* block = notes(data.explanation)) column->addWidget(block);
    if (auto* form = FormAndGrammarLine::make(data.explanation, this)) column->addWidget(form);
    if (auto* derivation = DerivationLine::make(data.explanation, this))
        column->addWidget(derivation);
    column->addWidget(
        new AskButtons(QuickQuestion::why, QuickQuestion::examples, controller, this));
    column->addWidget(actions(data, controller));
}

QWidget* WordCardDetails::notes(const Explanation& explanation)
{
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(3);
    for (const auto& text : {explanation.definitionEn, explanation.registerNoteZh}) {
        if (!present(text)) continue;
        auto* label = new PlainLabel(*text, box);
        label->sized(12).secondary().wrapping();
        column->addWidget(label);
    }
    if (explanation.sentenceIsExample.value_or(false)) {
        auto* note = new PlainLabel(QStringLiteral("（没找到原句，上面是 AI 写的例句）"), box);
        note->setObjectName(QStringLiteral("generatedSentenceNote"));
        QColor tertiary = palette().color(QPalette::WindowText);
        tertiary.setAlphaF(0.45);
        note->sized(11).colour(tertiary).wrapping();
        column->addWidget(note);
    }
    if (column->count() == 0) {
        delete box;
        return nullptr;
    }
    return box;
}

QWidget* WordCardDetails::actions(const WordCardData& data, CardController& controller)
{
    // The row wraps: in the card's width the source does not always fit beside the buttons.
    auto* box = new QWidget(this);
    auto* row = new FlowLayout(6, box);
    const QColor text = palette().color(QPalette::ButtonText);
    if (present(data.explanation.sentence)) {
        auto* read = actionButton(QStringLiteral("朗读原句"), box);
        read->setObjectName(QStringLiteral("readSentenceButton"));
        read->setIcon(glyphIcon(Glyph::speaker, text, 12));
        connect(
            read, &QToolButton::clicked, this,
            [&controller, sentence = *data.explanation.sentence] { controller.speak(sentence); });
        row->addWidget(read);
    }
    if (data.savedLookupCount && !data.justSaved && !data.saveWaiting) {
        auto* keep = actionButton(QStringLiteral("把这个例句也存下来"), box);
        keep->setObjectName(QStringLiteral("saveExampleButton"));
        connect(keep, &QToolButton::clicked, this, [&controller] { controller.save(); });
        row->addWidget(keep);
    }
    WordStore& words = controller.wordBook();
    if (const auto found = words.index(data.explanation.headword)) {
        const WordEntry& entry = words.entries().at(*found);
        if (canWantToLearn(entry)) {
            const bool wanted = entry.wantToLearn.value_or(false);
            auto* star =
                actionButton(wanted ? QStringLiteral("已标想学") : QStringLiteral("想学"), box);
            star->setObjectName(QStringLiteral("wantToLearnButton"));
            star->setIcon(glyphIcon(wanted ? Glyph::starFilled : Glyph::star, text, 12));
            star->setToolTip(QStringLiteral("标了想学，会排在最前面进入「在学」"));
            connect(star, &QToolButton::clicked, this,
                    [&controller, &words, id = entry.id, wanted] {
                        words.setWantToLearn(id, !wanted);
                        controller.refreshLayout();
                    });
            row->addWidget(star);
        }
    }
    auto* source = new SourceLabel(data.source, false, box);
    source->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    row->addWidget(source);
    return box;
}

} // namespace glossivo
