#include "card/views/TranslateOfferButton.h"

namespace glossivo {

TranslateOfferButton::TranslateOfferButton(QWidget* parent) : QToolButton(parent)
{
    setObjectName(QStringLiteral("translateOfferButton"));
    setText(QStringLiteral("译"));
    setToolTip(QStringLiteral("翻译选中的文字"));
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(kSide, kSide);
    QFont f = font();
    f.setPointSizeF(14);
    f.setWeight(QFont::DemiBold);
    setFont(f);
}

} // namespace glossivo
