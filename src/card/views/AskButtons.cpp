#include "card/views/AskButtons.h"

#include "card/CardController.h"
#include "ui/DesignSize.h"
#include "ui/Glyphs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace glossivo {

namespace {

constexpr int kPadding = 10;

QPushButton* askButton(const QString& title, QWidget* parent)
{
    auto* button = new QPushButton(title, parent);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFont(DesignSize::font(button->font(), 11));
    // The style pads a button for text at the window's size; at this small size the text
    // would touch the frame.
    button->setMinimumWidth(button->fontMetrics().horizontalAdvance(title) + 2 * kPadding);
    return button;
}

} // namespace

AskButtons::AskButtons(QuickQuestion primary, QuickQuestion secondary, CardController& controller,
                       QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("askButtons"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    auto* sparkles = new QLabel(this);
    sparkles->setPixmap(
        glyphIcon(Glyph::sparkles, palette().color(QPalette::PlaceholderText), 14).pixmap(14, 14));
    row->addWidget(sparkles);
    const auto add = [&](const QString& title, std::optional<QuickQuestion> question) {
        auto* button = askButton(title, this);
        connect(button, &QPushButton::clicked, this,
                [&controller, question] { controller.ask(question); });
        row->addWidget(button);
        return button;
    };
    add(titleOf(primary), primary)->setObjectName(QStringLiteral("askPrimaryButton"));
    add(titleOf(secondary), secondary)->setObjectName(QStringLiteral("askSecondaryButton"));
    add(QStringLiteral("自己问…"), std::nullopt)->setObjectName(QStringLiteral("askOwnButton"));
    row->addStretch(1);
}

} // namespace glossivo
