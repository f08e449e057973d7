#include "ui/MarkdownText.h"

#include "model/InlineMarkdown.h"
#include "ui/TextFit.h"

namespace glossivo {

MarkdownText::MarkdownText(qreal size, int lineSpacing, LinkOpener open, QWidget* parent)
    : FittedText(size, parent), m_lineSpacing(lineSpacing)
{
    // Links are handed over here, never followed by the view itself.
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse);
    const QPalette p = palette();
    // Code spans get the fixed-pitch face and a faint tint, in the palette's colours.
    QColor codeFill = p.color(QPalette::WindowText);
    codeFill.setAlphaF(0.08);
    document()->setDefaultStyleSheet(
        QStringLiteral("code { background-color: %1; } a { color: %2; }")
            .arg(codeFill.name(QColor::HexArgb), p.color(QPalette::Link).name()));
    connect(this, &QTextBrowser::anchorClicked, this, [open = std::move(open)](const QUrl& url) {
        if (open && isOpenableLink(url)) open(url);
    });
}

void MarkdownText::setMarkdown(const QString& text, qsizetype shownEnd)
{
    const bool cut = 0 <= shownEnd && shownEnd < text.size();
    // A whole text is the one shown before when it is equal, without drawing it again.
    if (!cut && text == m_text && !document()->isEmpty()) return;
    m_text = cut ? text.left(shownEnd) : text;
    // A text growing past its cut seldom changes what is drawn (a span closing in it does): the
    // view is laid out again only when it does.
    QString html = cut ? inlineMarkdownPrefix(text, shownEnd, u"\u2026") : inlineMarkdown(text);
    if (html == m_html && !document()->isEmpty()) return;
    m_html = std::move(html);
    setHtml(m_html);
    // A text view has no name of its own on the accessibility bus: it says what it shows.
    setAccessibleName(toPlainText());
    TextFit::spaceLines(*document(), m_lineSpacing);
    updateGeometry();
}

} // namespace glossivo
