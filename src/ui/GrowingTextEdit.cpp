#include "ui/GrowingTextEdit.h"

#include <QAbstractTextDocumentLayout>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextLayout>

#include <QtMath>

#include <algorithm>

namespace glossivo {

GrowingTextEdit::GrowingTextEdit(int leastLines, int mostLines, QWidget* parent)
    : QPlainTextEdit(parent), m_leastLines(leastLines), m_mostLines(mostLines)
{
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // After each layout of the text, when its wrapped lines are known.
    connect(document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
            &GrowingTextEdit::fit);
    fit();
}

int GrowingTextEdit::lineCount() const
{
    // The lines as wrapped now; a block not laid out yet counts as one line.
    int lines = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        lines += std::max(1, block.layout() ? block.layout()->lineCount() : 1);
    return lines;
}

void GrowingTextEdit::fit()
{
    const int lines = std::clamp(lineCount(), m_leastLines, m_mostLines);
    const QMargins margins = contentsMargins();
    const int height = lines * fontMetrics().lineSpacing() +
                       2 * qCeil(document()->documentMargin()) + 2 * frameWidth() + margins.top() +
                       margins.bottom();
    if (height == m_height) return;
    m_height = height;
    setFixedHeight(height);
    updateGeometry();
}

QSize GrowingTextEdit::sizeHint() const
{
    return {QPlainTextEdit::sizeHint().width(), m_height};
}

void GrowingTextEdit::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !(event->modifiers() & Qt::ShiftModifier)) {
        Q_EMIT submitted();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void GrowingTextEdit::resizeEvent(QResizeEvent* event)
{
    QPlainTextEdit::resizeEvent(event);
    // A new width wraps the text anew.
    fit();
}

} // namespace glossivo
