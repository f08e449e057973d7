#include "card/views/LoadingCard.h"

#include "ui/BusyIndicator.h"
#include "ui/ElidedText.h"
#include "ui/PlainLabel.h"
#include "ui/SpeakButton.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace glossivo {

LoadingCard::LoadingCard(const QString& title, const QString& note,
                         std::function<void(const QString&)> speak, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("loadingCard"));
    setFixedWidth(kWidth);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(14, 14, 14, 14);
    column->setSpacing(8);

    auto* titleRow = new QHBoxLayout;
    titleRow->setSpacing(8);
    auto* titleLabel = new PlainLabel(QString(), this);
    titleLabel->setObjectName(QStringLiteral("titleLabel"));
    titleLabel->sized(18, QFont::DemiBold);
    auto* speakButton = new SpeakButton(title, std::move(speak), this);
    const int titleWidth = kWidth - 28 - 8 - speakButton->sizeHint().width();
    titleLabel->setText(elidedLines(title, titleLabel->font(), titleWidth, 2));
    titleRow->addWidget(titleLabel);
    titleRow->addWidget(speakButton);
    titleRow->addStretch();
    column->addLayout(titleRow);

    auto* noteRow = new QHBoxLayout;
    noteRow->setSpacing(6);
    noteRow->addWidget(new BusyIndicator(14, this));
    auto* noteLabel = new PlainLabel(note, this);
    noteLabel->setObjectName(QStringLiteral("noteLabel"));
    noteLabel->sized(12).secondary();
    noteRow->addWidget(noteLabel);
    noteRow->addStretch();
    column->addLayout(noteRow);
}

} // namespace glossivo
