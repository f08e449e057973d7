#pragma once

#include <QScrollArea>

class QHBoxLayout;

namespace glossivo {

// A row of chips and small buttons that scrolls sideways, without scroll bars, when it is wider
// than its place, fading out at an edge beyond which more chips lie; a plain mouse wheel scrolls
// it too, as it has no other way.
class ChipRow : public QScrollArea {
    Q_OBJECT

public:
    explicit ChipRow(QWidget* parent = nullptr);

    // Appends the widget, centred in the row's height; the row is as tall as its tallest.
    void add(QWidget* widget);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QHBoxLayout* m_row;
    QWidget* m_fade;
};

} // namespace glossivo
