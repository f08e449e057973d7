#pragma once

#include "ui/DesignSize.h"
#include "ui/TextFit.h"

#include <QFrame>
#include <QPalette>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTextDocument>

namespace glossivo {

// A read-only text view drawn like a label, in the window's text colour on whatever lies behind,
// without frame, scroll bars or margins, and always as tall as its text needs at its width: for
// text that must wrap with room between its lines, which a label cannot give. `Edit` is
// QTextEdit or a view derived from it.
template <class Edit> class FittedText : public Edit {
public:
    // The text in the widget's font at this size (device-independent pixels).
    FittedText(qreal size, QWidget* parent) : Edit(parent)
    {
        this->setFrameShape(QFrame::NoFrame);
        this->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        this->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        this->setLineWrapMode(Edit::WidgetWidth);
        this->setContentsMargins(0, 0, 0, 0);
        this->viewport()->setAutoFillBackground(false);
        QPalette p = this->palette();
        p.setColor(QPalette::Base, Qt::transparent);
        p.setColor(QPalette::Text, p.color(QPalette::WindowText));
        this->setPalette(p);
        this->setFont(DesignSize::font(this->font(), size));
        this->document()->setDocumentMargin(0);
        QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        policy.setHeightForWidth(true);
        this->setSizePolicy(policy);
    }

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override
    {
        return TextFit::heightForWidth(*this->document(), width);
    }
    QSize sizeHint() const override { return TextFit::idealSize(*this->document()); }
    QSize minimumSizeHint() const override { return TextFit::smallestSize(this->fontMetrics()); }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        Edit::resizeEvent(event);
        // All of the text fits; a scroll left over from a narrower moment would hide its top.
        this->verticalScrollBar()->setValue(0);
    }
};

} // namespace glossivo
