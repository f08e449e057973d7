#include "ui/LayoutClear.h"

#include <QLayout>
#include <QWidget>

namespace glossivo {

void clearLayout(QLayout* layout)
{
    while (QLayoutItem* item = layout->takeAt(0)) {
        if (QWidget* widget = item->widget()) {
            widget->hide();
            widget->deleteLater();
        }
        if (QLayout* inner = item->layout()) clearLayout(inner);
        delete item;
    }
}

} // namespace glossivo
