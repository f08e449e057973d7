#include "card/views/AlternativeButton.h"

#include "ui/PlainLabel.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace glossivo {

AlternativeButton::AlternativeButton(const QString& text, const QString& meaningZh, QWidget* parent)
    : QAbstractButton(parent)
{
    setCursor(Qt::PointingHandCursor);
    setToolTip(QStringLiteral("查这个说法"));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 1, 0, 1);
    // Two spaces' worth between the text and its meaning.
    row->setSpacing(fontMetrics().horizontalAdvance(QStringLiteral("  ")));
    auto* label = new PlainLabel(text, this);
    label->setObjectName(QStringLiteral("alternativeText"));
    label->sized(QFontInfo(font()).pixelSize(), QFont::Medium)
        .wrapping()
        .colour(palette().color(QPalette::Link));
    auto* meaning = new PlainLabel(meaningZh, this);
    meaning->setObjectName(QStringLiteral("alternativeMeaning"));
    meaning->secondary().wrapping();
    for (QLabel* part : {static_cast<QLabel*>(label), static_cast<QLabel*>(meaning)}) {
        part->setAttribute(Qt::WA_TransparentForMouseEvents);
        // Not the button's text role, which they would take over: their own colours.
        part->setForegroundRole(QPalette::WindowText);
    }
    row->addWidget(label, 0, Qt::AlignTop);
    row->addWidget(meaning, 1, Qt::AlignTop);
}

QSize AlternativeButton::sizeHint() const
{
    return layout()->sizeHint();
}

QSize AlternativeButton::minimumSizeHint() const
{
    return layout()->minimumSize();
}

int AlternativeButton::heightForWidth(int width) const
{
    return layout()->heightForWidth(width);
}

void AlternativeButton::paintEvent(QPaintEvent*)
{
    // The labels draw the button; only keyboard focus needs showing.
    if (!hasFocus()) return;
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

} // namespace glossivo
