#include "card/views/TranslateOfferButton.h"

#include "ui/DesignSize.h"

namespace glossivo {

TranslateOfferButton::TranslateOfferButton(QWidget* parent) : QToolButton(parent)
{
    setObjectName(QStringLiteral("translateOfferButton"));
    setText(QStringLiteral("译"));
    setToolTip(QStringLiteral("翻译选中的文字"));
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(kSide, kSide);
    setFont(DesignSize::font(font(), 14, QFont::DemiBold));
}

} // namespace glossivo
