#include "ui/PlainLabel.h"

namespace glossivo {

PlainLabel::PlainLabel(const QString& text, QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setOpenExternalLinks(false);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setText(text);
}

PlainLabel& PlainLabel::sized(qreal pointSize, QFont::Weight weight)
{
    QFont f = QLabel::font();
    f.setPointSizeF(pointSize);
    f.setWeight(weight);
    setFont(f);
    return *this;
}

PlainLabel& PlainLabel::wrapping()
{
    // Also marks the label's height as depending on its width.
    setWordWrap(true);
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
