#include "ui/HighlightedLabel.h"

#include "model/BidiControls.h"
#include "model/Highlight.h"
#include "ui/BreakableText.h"
#include "ui/DesignSize.h"

namespace glossivo {

HighlightedLabel::HighlightedLabel(const QString& text, const QStringList& terms, qreal size,
                                   QWidget* parent, qreal emphasisSize, int lineSpacing)
    : QLabel(parent)
{
    setFont(DesignSize::font(font(), size));
    setTextFormat(Qt::RichText);
    setOpenExternalLinks(false);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setWordWrap(true);
    setText(markup(text, terms, palette().color(QPalette::Highlight), emphasisSize, lineSpacing));
}

QString HighlightedLabel::markup(const QString& text, const QStringList& terms,
                                 const QColor& accent, qreal emphasisSize, int lineSpacing)
{
    const auto escaped = [](const QString& piece) {
        return breakableText(BidiControls::removed(piece)).toHtmlEscaped();
    };
    QString html;
    qsizetype at = 0;
    const QString open =
        QStringLiteral("<span style=\"font-size:%1px; font-weight:700; color:%2\">")
            .arg(qRound(emphasisSize))
            .arg(accent.name());
    for (const Highlight::Range& range : Highlight::ranges(text, terms)) {
        html += escaped(text.mid(at, range.start - at));
        html += open + escaped(text.mid(range.start, range.end - range.start)) +
                QStringLiteral("</span>");
        at = range.end;
    }
    html += escaped(text.mid(at));
    // Runs of blanks and line breaks stay as the sentence has them.
    const QString sentence =
        QStringLiteral("<span style=\"white-space:pre-wrap\">") + html + QStringLiteral("</span>");
    if (lineSpacing <= 0) return sentence;
    // In the order Qt writes it itself: the height, then what kind of height it is.
    return QStringLiteral("<p style=\"line-height:%1px; -qt-line-height-type:line-distance; "
                          "margin:0\">")
               .arg(lineSpacing) +
           sentence + QStringLiteral("</p>");
}

} // namespace glossivo
