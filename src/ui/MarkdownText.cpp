#include "ui/MarkdownText.h"

#include "card/InlineMarkdown.h"
#include "ui/TextFit.h"

#include <QScrollBar>

namespace glossivo {

MarkdownText::MarkdownText(qreal pointSize, int lineSpacing, LinkOpener open, QWidget* parent)
    : QTextBrowser(parent), m_lineSpacing(lineSpacing)
{
    // Links are handed over here, never followed by the view itself.
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse);
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
    // Code spans get the fixed-pitch face and a faint tint, in the palette's colours.
    QColor codeFill = p.color(QPalette::WindowText);
    codeFill.setAlphaF(0.08);
    document()->setDefaultStyleSheet(
        QStringLiteral("code { background-color: %1; } a { color: %2; }")
            .arg(codeFill.name(QColor::HexArgb), p.color(QPalette::Link).name()));
    connect(this, &QTextBrowser::anchorClicked, this, [open = std::move(open)](const QUrl& url) {
        if (open && isOpenableLink(url)) open(url);
    });

    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void MarkdownText::setMarkdown(const QString& text)
{
    if (text == m_text && !document()->isEmpty()) return;
    m_text = text;
    setHtml(inlineMarkdown(text));
    TextFit::spaceLines(*document(), m_lineSpacing);
    updateGeometry();
}

int MarkdownText::heightForWidth(int width) const
{
    return TextFit::heightForWidth(*document(), width);
}

QSize MarkdownText::sizeHint() const
{
    return TextFit::idealSize(*document());
}

QSize MarkdownText::minimumSizeHint() const
{
    return TextFit::smallestSize(fontMetrics());
}

void MarkdownText::resizeEvent(QResizeEvent* event)
{
    QTextBrowser::resizeEvent(event);
    // All of the text fits; a scroll left over from a narrower moment would hide its top.
    verticalScrollBar()->setValue(0);
}

} // namespace glossivo
