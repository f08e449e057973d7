#pragma once

#include "model/SafeLink.h"
#include "ui/FittedText.h"

#include <QTextBrowser>

namespace glossivo {

// An AI answer with its inline Markdown drawn (bold, italic, strikethrough, code, links), with
// extra room between its lines, selectable and copyable. Only http and https links react to a
// click, and only through the opener given.
class MarkdownText : public FittedText<QTextBrowser> {
    Q_OBJECT

public:
    // The text in the widget's font at this size (device-independent pixels), with lineSpacing
    // pixels added below each line.
    MarkdownText(qreal size, int lineSpacing, LinkOpener open, QWidget* parent = nullptr);

    // The text, or when shownEnd falls inside it, the text before shownEnd drawn as the whole text
    // draws it, then "…" (inlineMarkdownPrefix).
    void setMarkdown(const QString& text, qsizetype shownEnd = -1);
    // The part of the text shown.
    const QString& markdown() const { return m_text; }

private:
    QString m_text;
    QString m_html;
    int m_lineSpacing;
};

} // namespace glossivo
