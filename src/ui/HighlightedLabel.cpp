#include "ui/HighlightedLabel.h"

#include "model/Highlight.h"

namespace glossivo {

HighlightedLabel::HighlightedLabel(const QString& text, const QStringList& terms, qreal pointSize,
                                   QWidget* parent, qreal emphasisPointSize)
    : QLabel(parent)
{
    QFont f = font();
    f.setPointSizeF(pointSize);
    setFont(f);
    setTextFormat(Qt::RichText);
    setOpenExternalLinks(false);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setWordWrap(true);
    setText(markup(text, terms, palette().color(QPalette::Highlight), emphasisPointSize));
}

QString HighlightedLabel::markup(const QString& text, const QStringList& terms,
                                 const QColor& accent, qreal emphasisPointSize)
{
    QString html;
    qsizetype at = 0;
    const QString open =
        QStringLiteral("<span style=\"font-size:%1pt; font-weight:700; color:%2\">")
            .arg(emphasisPointSize)
            .arg(accent.name());
    for (const Highlight::Range& range : Highlight::ranges(text, terms)) {
        html += text.mid(at, range.start - at).toHtmlEscaped();
        html += open + text.mid(range.start, range.end - range.start).toHtmlEscaped() +
                QStringLiteral("</span>");
        at = range.end;
    }
    html += text.mid(at).toHtmlEscaped();
    // Runs of blanks and line breaks stay as the sentence has them.
    return QStringLiteral("<span style=\"white-space:pre-wrap\">") + html +
           QStringLiteral("</span>");
}

} // namespace glossivo
