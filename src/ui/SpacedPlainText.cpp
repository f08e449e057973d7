#include "ui/SpacedPlainText.h"

#include "ui/TextFit.h"

#include <QScrollBar>
#include <QTextDocument>

namespace glossivo {

SpacedPlainText::SpacedPlainText(const QString& text, qreal pointSize, int lineSpacing,
                                 QWidget* parent)
    : QTextEdit(parent)
{
    setAcceptRichText(false);
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setContentsMargins(0, 0, 0, 0);
    viewport()->setAutoFillBackground(false);
    // Drawn like a label: the window's text colour on whatever lies behind.
    QPalette p = palette();
    p.setColor(QPalette::Base, Qt::transparent);
    p.setColor(QPalette::Text, p.color(QPalette::WindowText));
    setPalette(p);
    QFont f = font();
    f.setPointSizeF(pointSize);
    setFont(f);
    document()->setDocumentMargin(0);

    setPlainText(text);
    TextFit::spaceLines(*document(), lineSpacing);

    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

int SpacedPlainText::heightForWidth(int width) const
{
    return TextFit::heightForWidth(*document(), width);
}

QSize SpacedPlainText::sizeHint() const
{
    return TextFit::idealSize(*document());
}

QSize SpacedPlainText::minimumSizeHint() const
{
    return TextFit::smallestSize(fontMetrics());
}

void SpacedPlainText::resizeEvent(QResizeEvent* event)
{
    QTextEdit::resizeEvent(event);
    // All of the text fits; a scroll left over from a narrower moment would hide its top.
    verticalScrollBar()->setValue(0);
}

} // namespace glossivo
