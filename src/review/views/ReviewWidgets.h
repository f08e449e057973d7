#pragma once

#include "ui/DesignSize.h"
#include "ui/Glyphs.h"
#include "ui/PlainLabel.h"

#include <QAbstractButton>
#include <QPalette>
#include <QShortcut>

namespace glossivo::ReviewWidgets {

// The colour of lesser text, and of text lesser still (hints under a control).
inline QColor secondary(const QPalette& palette)
{
    return palette.color(QPalette::PlaceholderText);
}

inline QColor tertiary(const QPalette& palette)
{
    QColor colour = palette.color(QPalette::PlaceholderText);
    colour.setAlphaF(0.6);
    return colour;
}

// A plain text at `pixels`, named for screen readers by what it says.
inline PlainLabel* text(const QString& text, qreal pixels, QWidget* parent,
                        QFont::Weight weight = QFont::Normal)
{
    auto* label = new PlainLabel(text, parent);
    label->setFont(DesignSize::font(label->font(), pixels, weight));
    label->setAccessibleName(text);
    return label;
}

inline PlainLabel* coloured(const QString& content, qreal pixels, const QColor& colour,
                            QWidget* parent, QFont::Weight weight = QFont::Normal)
{
    PlainLabel* label = text(content, pixels, parent, weight);
    label->colour(colour);
    return label;
}

// A symbol drawn in code, `pixels` square.
inline QLabel* symbol(Glyph glyph, const QColor& colour, int pixels, const QString& name,
                      QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setPixmap(glyphIcon(glyph, colour, pixels).pixmap(pixels, pixels));
    label->setAccessibleName(name);
    label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return label;
}

// The key that presses a button while it is on screen. It acts at once, where a button's own
// shortcut would flash the button first and act a tenth of a second later, after a quick
// learner's next key has already arrived.
inline void pressWith(QAbstractButton* button, const QKeySequence& key)
{
    auto* shortcut = new QShortcut(key, button);
    QObject::connect(shortcut, &QShortcut::activated, button, &QAbstractButton::click);
}

} // namespace glossivo::ReviewWidgets
