#include "review/views/OutcomeBanner.h"

#include "review/ReviewViewState.h"
#include "review/views/ReviewWidgets.h"
#include "ui/IconLabel.h"
#include "ui/SystemColors.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace glossivo {

using namespace ReviewWidgets;

OutcomeBanner* OutcomeBanner::make(ReviewScreen::Banner banner, ReviewViewState& state,
                                   QWidget* parent)
{
    return banner == ReviewScreen::Banner::none ? nullptr
                                                : new OutcomeBanner(banner, state, parent);
}

OutcomeBanner::OutcomeBanner(ReviewScreen::Banner banner, ReviewViewState& state, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("outcomeBanner"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    const auto restButton = [&](const QString& label, const char* name) {
        auto* button = new QPushButton(label, this);
        button->setObjectName(QString::fromLatin1(name));
        button->setAccessibleName(label);
        // The one control Tab reaches: no key of its own stands for it.
        button->setFocusPolicy(Qt::TabFocus);
        connect(button, &QPushButton::clicked, &state, &ReviewViewState::rest);
        column->addWidget(button, 0, Qt::AlignLeft);
        return button;
    };
    switch (banner) {
    case ReviewScreen::Banner::graduated: {
        const QString message = QStringLiteral("毕业了！这个词已经记牢，名额空出来给新词");
        auto* label =
            new IconLabel(Glyph::checkmarkCircleFilled, message,
                          systemColor(SystemColor::green, palette()), 13, QFont::Medium, this);
        label->setAccessibleName(message);
        column->addWidget(label);
        break;
    }
    case ReviewScreen::Banner::leech: {
        column->addWidget(
            &coloured(QStringLiteral("这个词有点难啃，硬背效果不好。AI "
                                     "正在帮你想一个跟你有关的记法，下次出现时会显示。"),
                      12, secondary(palette()), this)
                 ->wrapping());
        QPushButton* rest = restButton(QStringLiteral("先让它休息一周"), "restButton");
        rest->setMinimumWidth(rest->sizeHint().width() + 16);
        break;
    }
    case ReviewScreen::Banner::restLink: {
        QPushButton* link = restButton(QStringLiteral("这个词太难了，先休息一周"), "restLink");
        link->setFlat(true);
        link->setCursor(Qt::PointingHandCursor);
        link->setFont(DesignSize::font(link->font(), 11));
        QPalette linkColours = link->palette();
        linkColours.setColor(QPalette::ButtonText, linkColours.color(QPalette::Link));
        link->setPalette(linkColours);
        break;
    }
    case ReviewScreen::Banner::none:
        break;
    }
}

} // namespace glossivo
