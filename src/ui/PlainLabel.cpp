#include "ui/PlainLabel.h"

#include "model/BidiControls.h"
#include "ui/BreakableText.h"
#include "ui/DesignSize.h"

namespace glossivo {

PlainLabel::PlainLabel(const QString& text, QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setOpenExternalLinks(false);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setText(text);
}

void PlainLabel::setText(const QString& text)
{
    QLabel::setText(BidiControls::removed(text));
}

PlainLabel& PlainLabel::sized(qreal size, QFont::Weight weight)
{
    setFont(DesignSize::font(QLabel::font(), size, weight));
    return *this;
}

PlainLabel& PlainLabel::wrapping()
{
    // Also marks the label's height as depending on its width.
    setWordWrap(true);
    // A label only breaks between words: a run longer than any word gets places to break too.
    setText(breakableText(text()));
    return *this;
}

PlainLabel& PlainLabel::secondary()
{
    return colour(palette().color(QPalette::PlaceholderText));
}

PlainLabel& PlainLabel::colour(const QColor& colour)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colour);
    setPalette(p);
    return *this;
}

} // namespace glossivo
