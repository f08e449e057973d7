#pragma once

#include "ui/SafeLink.h"

#include <QTextBrowser>

namespace glossivo {

// An AI answer with its inline Markdown drawn (bold, italic, strikethrough, code, links), with
// extra room between its lines, selectable and copyable. A read-only text view without frame,
// scroll bars or background that is always as tall as its text needs. Only http and https links
// react to a click, and only through the opener given.
class MarkdownText : public QTextBrowser {
    Q_OBJECT

public:
    // The text in the widget's font at this point size, with lineSpacing pixels added below
    // each line.
    MarkdownText(qreal pointSize, int lineSpacing, LinkOpener open, QWidget* parent = nullptr);

    void setMarkdown(const QString& text);
    const QString& markdown() const { return m_text; }

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QString m_text;
    int m_lineSpacing;
};

} // namespace glossivo
