#pragma once

#include "ui/Glyphs.h"

#include <QWidget>

namespace glossivo {

class PlainLabel;

// A symbol with a short text beside it, in one colour; shows, does nothing.
class IconLabel : public QWidget {
    Q_OBJECT

public:
    IconLabel(Glyph glyph, const QString& text, const QColor& colour, qreal size,
              QFont::Weight weight = QFont::Normal, QWidget* parent = nullptr);

    QString text() const;

private:
    PlainLabel* m_text;
};

} // namespace glossivo
