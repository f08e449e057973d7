#include "ui/ClampedLabel.h"

#include "ui/ElidedText.h"

#include <QTextDocument>

#include <cmath>

namespace glossivo {

namespace {

// Line breaks of the text break lines in a text layout too.
QString withLineSeparators(QString text)
{
    return text.replace(QLatin1Char('\n'), QChar::LineSeparator);
}

} // namespace

ClampedLabel::ClampedLabel(Markup markup, QWidget* parent)
    : QLabel(parent), m_markup(std::move(markup))
{
    setTextFormat(Qt::RichText);
    setOpenExternalLinks(false);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void ClampedLabel::setFullText(const QString& text)
{
    m_text = text;
    refresh();
    updateGeometry();
}

void ClampedLabel::setLineLimit(int lines)
{
    m_lineLimit = lines;
    refresh();
    updateGeometry();
}

QString ClampedLabel::shownText(int width) const
{
    if (m_lineLimit <= 0 || width <= 0) return m_text;
    // Emphasised words are drawn bold, a little wider: a few characters of room keep the cut
    // lines from wrapping once more.
    const int room = std::max(1, width - 3 * fontMetrics().averageCharWidth());
    const QString text = withLineSeparators(m_text);
    if (lineCount(text, font(), room) <= m_lineLimit) return m_text;
    return elidedLines(text, font(), room, m_lineLimit);
}

int ClampedLabel::heightForWidth(int width) const
{
    QTextDocument document;
    document.setDefaultFont(font());
    document.setDocumentMargin(0);
    document.setHtml(m_markup(shownText(width)));
    document.setTextWidth(width);
    return static_cast<int>(std::ceil(document.size().height()));
}

QSize ClampedLabel::sizeHint() const
{
    constexpr int preferred = 400;
    return {preferred, heightForWidth(preferred)};
}

QSize ClampedLabel::minimumSizeHint() const
{
    return {fontMetrics().averageCharWidth() * 6, fontMetrics().height()};
}

void ClampedLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    refresh();
}

void ClampedLabel::refresh()
{
    const QString markup = m_markup(shownText(width()));
    if (markup != text()) setText(markup);
}

} // namespace glossivo
