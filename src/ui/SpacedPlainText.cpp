#include "ui/SpacedPlainText.h"

#include "model/BidiControls.h"

#include <QTextDocument>

namespace glossivo {

SpacedPlainText::SpacedPlainText(const QString& text, qreal size, int lineSpacing, QWidget* parent)
    : FittedText(size, parent)
{
    setAcceptRichText(false);
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setPlainText(BidiControls::removed(text));
    TextFit::spaceLines(*document(), lineSpacing);
}

} // namespace glossivo
