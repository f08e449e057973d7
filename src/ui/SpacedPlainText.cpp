#include "ui/SpacedPlainText.h"

#include <QScrollBar>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <cmath>

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
    QTextBlockFormat spaced;
    spaced.setLineHeight(lineSpacing, QTextBlockFormat::LineDistanceHeight);
    QTextCursor all(document());
    all.select(QTextCursor::Document);
    all.mergeBlockFormat(spaced);

    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

int SpacedPlainText::heightForWidth(int width) const
{
    // Laid out at that width and put back: the view lays the document out at its own width.
    QTextDocument* text = document();
    const qreal before = text->textWidth();
    text->setTextWidth(width);
    const int height = static_cast<int>(std::ceil(text->size().height()));
    text->setTextWidth(before);
    return height;
}

QSize SpacedPlainText::sizeHint() const
{
    const int width = static_cast<int>(std::ceil(document()->idealWidth()));
    return {width, heightForWidth(width)};
}

QSize SpacedPlainText::minimumSizeHint() const
{
    return {fontMetrics().averageCharWidth() * 4, fontMetrics().height()};
}

void SpacedPlainText::resizeEvent(QResizeEvent* event)
{
    QTextEdit::resizeEvent(event);
    // All of the text fits; a scroll left over from a narrower moment would hide its top.
    verticalScrollBar()->setValue(0);
}

} // namespace glossivo
