#pragma once

#include <QLabel>

namespace glossivo {

// A short text in a colour on a faint capsule of the same colour: badges and chips.
class CapsuleLabel : public QLabel {
    Q_OBJECT

public:
    CapsuleLabel(const QString& text, const QColor& colour, qreal fillOpacity, QMargins padding,
                 qreal size, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_colour;
    qreal m_fillOpacity;
};

} // namespace glossivo
