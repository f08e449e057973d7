#include "card/views/ErrorCard.h"

#include "ui/ElidedText.h"
#include "ui/PlainLabel.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace glossivo {

namespace {

constexpr int kMargin = 14;

} // namespace

ErrorCard::ErrorCard(const QString& message, bool needsSettings, std::function<void()> openSettings,
                     QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("errorCard"));
    setFixedWidth(kWidth);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    column->setSpacing(10);
    auto* label = new PlainLabel(message, this);
    label->setObjectName(QStringLiteral("messageLabel"));
    label->sized(13).wrapping();
    const int room = kWidth - 2 * kMargin;
    label->setContentsMargins(0, 0, room - balancedWidth(message, label->font(), room), 0);
    column->addWidget(label);
    if (needsSettings) {
        auto* button = new QPushButton(QStringLiteral("打开设置"), this);
        button->setObjectName(QStringLiteral("settingsButton"));
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QPushButton::clicked, this, [openSettings = std::move(openSettings)] {
            if (openSettings) openSettings();
        });
        column->addWidget(button, 0, Qt::AlignLeft);
    }
}

} // namespace glossivo
