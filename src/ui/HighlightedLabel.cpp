#include "ui/HighlightedLabel.h"

#include "model/BidiControls.h"
#include "model/Highlight.h"
#include "ui/DesignSize.h"

namespace glossivo {

HighlightedLabel::HighlightedLabel(const QString& text, const QStringList& terms, qreal size,
                                   QWidget* parent, qreal emphasisSize)
    : QLabel(parent)
{
    setFont(DesignSize::font(font(), size));
    setTextFormat(Qt::RichText);
    setOpenExternalLinks(false);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setWordWrap(true);
    setText(markup(text, terms, palette().color(QPalette::Highlight), emphasisSize));
}

QString HighlightedLabel::markup(const QString& text, const QStringList& terms,
                                 const QColor& accent, qreal emphasisSize)
{
    const auto escaped = [](const QString& piece) {
        return BidiControls::removed(piece).toHtmlEscaped();
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
    return QStringLiteral("<span style=\"white-space:pre-wrap\">") + html +
           QStringLiteral("</span>");
}

} // namespace glossivo
