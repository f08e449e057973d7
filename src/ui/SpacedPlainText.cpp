#include "ui/SpacedPlainText.h"

#include <QTextDocument>

namespace glossivo {

SpacedPlainText::SpacedPlainText(const QString& text, qreal pointSize, int lineSpacing,
                                 QWidget* parent)
    : FittedText(pointSize, parent)
{
    setAcceptRichText(false);
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setPlainText(text);
    TextFit::spaceLines(*document(), lineSpacing);
}

} // namespace glossivo
