#include "card/views/TranslationCard.h"

#include "card/CardController.h"
#include "card/views/KeyTermChip.h"
#include "ui/DesignSize.h"
#include "ui/FlowLayout.h"
#include "ui/Glyphs.h"
#include "ui/SpacedPlainText.h"

#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

namespace glossivo {

namespace {

QToolButton* linkButton(const QString& title, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setText(title);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setCursor(Qt::PointingHandCursor);
    button->setFont(DesignSize::font(button->font(), 11));
    QPalette p = button->palette();
    p.setColor(QPalette::ButtonText, p.color(QPalette::Link));
    button->setPalette(p);
    return button;
}

} // namespace

TranslationCard::TranslationCard(const QString& original, const Translation& translation,
                                 CardController& controller, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("translationCard"));
    setFixedWidth(kWidth);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(12, 12, 12, 12);
    column->setSpacing(10);

    auto* text = new SpacedPlainText(translation.translationZh, 14, 2, this);
    text->setObjectName(QStringLiteral("translationText"));
    column->addWidget(text);

    if (translation.keyTerms && !translation.keyTerms->isEmpty()) {
        auto* chips = new QWidget(this);
        auto* flow = new FlowLayout(6, chips);
        for (const Translation::KeyTerm& term : *translation.keyTerms) {
            auto* chip = new KeyTermChip(term, chips);
            connect(chip, &KeyTermChip::clicked, this, [&controller, term, original] {
                controller.lookup(term.text, original, controller.anchor());
            });
            flow->addWidget(chip);
        }
        column->addWidget(chips);
    }

    auto* asks = new QHBoxLayout;
    asks->setSpacing(12);
    auto* why = linkButton(titleOf(QuickQuestion::why), this);
    why->setObjectName(QStringLiteral("askWhyButton"));
    why->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    why->setIcon(glyphIcon(Glyph::sparkles, palette().color(QPalette::Link), 11));
    connect(why, &QToolButton::clicked, this,
            [&controller] { controller.ask(QuickQuestion::why); });
    auto* structure = linkButton(QStringLiteral("拆解句子"), this);
    structure->setObjectName(QStringLiteral("askStructureButton"));
    connect(structure, &QToolButton::clicked, this,
            [&controller] { controller.ask(QuickQuestion::structure); });
    auto* own = linkButton(QStringLiteral("自己问…"), this);
    own->setObjectName(QStringLiteral("askOwnButton"));
    connect(own, &QToolButton::clicked, this, [&controller] { controller.ask(std::nullopt); });
    asks->addWidget(why);
    asks->addWidget(structure);
    asks->addWidget(own);
    asks->addStretch(1);
    column->addLayout(asks);
}

} // namespace glossivo
