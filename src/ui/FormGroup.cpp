#include "ui/FormGroup.h"

#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

namespace glossivo {

FormGroup formGroup(const QString& header)
{
    auto* widget = new QWidget;
    auto* outer = new QVBoxLayout(widget);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(4);
    if (!header.isEmpty()) {
        auto* title = new QLabel(header);
        title->setTextFormat(Qt::PlainText);
        title->setWordWrap(true);
        QFont font = title->font();
        font.setBold(true);
        title->setFont(font);
        outer->addWidget(title);
    }
    auto* frame = new QFrame;
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setAutoFillBackground(true);
    frame->setBackgroundRole(QPalette::Base);
    auto* box = new QVBoxLayout(frame);
    box->setContentsMargins(12, 8, 12, 8);
    box->setSpacing(8);
    outer->addWidget(frame);
    return {widget, box};
}

} // namespace glossivo
