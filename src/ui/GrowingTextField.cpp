#include "ui/GrowingTextField.h"

#include <QAbstractTextDocumentLayout>
#include <QKeyEvent>

#include <algorithm>

namespace glossivo {

GrowingTextField::GrowingTextField(int leastLines, int mostLines, QWidget* parent)
    : QPlainTextEdit(parent), m_leastLines(leastLines), m_mostLines(mostLines)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setTabChangesFocus(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // Wrapped lines count too, so the height is worked out again after each layout.
    connect(document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
            &GrowingTextField::fitHeight);
}

void GrowingTextField::fitHeight()
{
    const int lines = contentLines();
    // A scroll bar only once the text runs past the tallest the field gets.
    setVerticalScrollBarPolicy(lines > m_mostLines ? Qt::ScrollBarAsNeeded
                                                   : Qt::ScrollBarAlwaysOff);
    setFixedHeight(heightFor(std::clamp(lines, m_leastLines, m_mostLines)));
}

int GrowingTextField::contentLines() const
{
    if (document()->isEmpty() && !placeholderText().isEmpty()) {
        // The hint shows whole, wrapped as the field draws it: from the margin to the right edge.
        const int width = std::max(1, viewport()->width() - documentMargin());
        const QRect hint = fontMetrics().boundingRect(QRect(0, 0, width, 1 << 20), Qt::TextWordWrap,
                                                      placeholderText());
        return std::max(1, hint.height() / fontMetrics().lineSpacing());
    }
    // A plain text document's layout measures its height in lines, wrapped ones included.
    return static_cast<int>(document()->documentLayout()->documentSize().height());
}

int GrowingTextField::documentMargin() const
{
    return static_cast<int>(document()->documentMargin());
}

void GrowingTextField::setText(const QString& text)
{
    if (text == toPlainText()) return;
    setPlainText(text);
    moveCursor(QTextCursor::End);
}

int GrowingTextField::visibleLines() const
{
    return std::clamp(contentLines(), m_leastLines, m_mostLines);
}

int GrowingTextField::heightFor(int lines) const
{
    // Two pixels more than the lines, or the field would scroll by a fraction of a line.
    return lines * fontMetrics().lineSpacing() + 2 * documentMargin() + 2 * frameWidth() + 2;
}

QSize GrowingTextField::sizeHint() const
{
    return {QPlainTextEdit::sizeHint().width(), heightFor(visibleLines())};
}

void GrowingTextField::resizeEvent(QResizeEvent* event)
{
    QPlainTextEdit::resizeEvent(event);
    if (document()->isEmpty()) fitHeight();
}

void GrowingTextField::changeEvent(QEvent* event)
{
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) fitHeight();
}

QSize GrowingTextField::minimumSizeHint() const
{
    return {fontMetrics().averageCharWidth() * 8, heightFor(m_leastLines)};
}

void GrowingTextField::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !(event->modifiers() & Qt::ShiftModifier)) {
        Q_EMIT submitted();
        event->accept();
        return;
    }
    if (enter) {
        // Shift+Return: a line break, not a new paragraph with a different meaning.
        insertPlainText(QStringLiteral("\n"));
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

} // namespace glossivo
