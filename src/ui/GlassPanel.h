#pragma once

#include <QWidget>

namespace glossivo {

// A rounded, faintly translucent panel that sets a group of controls apart from the window
// behind it. Its content goes into a layout set on it.
class GlassPanel : public QWidget {
    Q_OBJECT

public:
    explicit GlassPanel(qreal cornerRadius, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qreal m_radius;
};

} // namespace glossivo
