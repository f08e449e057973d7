#include "card/views/KeyTermChip.h"

#include "model/BidiControls.h"
#include "ui/DesignSize.h"

#include <QPainter>

namespace glossivo {

namespace {

constexpr int kPadX = 7;
constexpr int kPadY = 3;
constexpr int kGap = 4;

// The chip only paints its term: as outside text is shown, without bidirectional controls.
Translation::KeyTerm shown(Translation::KeyTerm term)
{
    term.text = BidiControls::removed(term.text);
    term.meaningZh = BidiControls::removed(term.meaningZh);
    return term;
}

} // namespace

KeyTermChip::KeyTermChip(const Translation::KeyTerm& term, QWidget* parent)
    : QAbstractButton(parent), m_term(shown(term))
{
    setObjectName(QStringLiteral("keyTermChip"));
    setToolTip(QStringLiteral("点一下查这个词"));
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QFont KeyTermChip::termFont() const
{
    return DesignSize::font(font(), 12, QFont::DemiBold);
}

QFont KeyTermChip::meaningFont() const
{
    return DesignSize::font(font(), 11);
}

QSize KeyTermChip::sizeHint() const
{
    const QFontMetrics term(termFont());
    const QFontMetrics meaning(meaningFont());
    const int width = term.horizontalAdvance(m_term.text) + kGap +
                      meaning.horizontalAdvance(m_term.meaningZh) + 2 * kPadX;
    return QSize(width, std::max(term.height(), meaning.height()) + 2 * kPadY);
}

void KeyTermChip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor fill = palette().color(QPalette::WindowText);
    fill.setAlphaF(isDown() ? 0.14 : 0.07);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(rect()), height() / 2.0, height() / 2.0);

    const QFontMetrics term(termFont());
    const QRect inner = rect().adjusted(kPadX, 0, -kPadX, 0);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setFont(termFont());
    painter.drawText(inner, Qt::AlignLeft | Qt::AlignVCenter, m_term.text);
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.setFont(meaningFont());
    painter.drawText(inner.adjusted(term.horizontalAdvance(m_term.text) + kGap, 0, 0, 0),
                     Qt::AlignLeft | Qt::AlignVCenter, m_term.meaningZh);
}

} // namespace glossivo
