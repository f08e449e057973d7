#include "ui/SymbolButton.h"

#include <QToolButton>

namespace glossivo {

QToolButton* symbolButton(Glyph glyph, const QColor& colour, int size, const QString& tip,
                          QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIcon(glyphIcon(glyph, colour, size));
    button->setIconSize(QSize(size, size));
    button->setToolTip(tip);
    button->setAccessibleName(tip);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

} // namespace glossivo
