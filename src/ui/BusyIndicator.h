#pragma once

#include <QTimer>
#include <QWidget>

namespace glossivo {

// A small turning arc that says work is under way, with no measure of how far it got.
class BusyIndicator : public QWidget {
    Q_OBJECT

public:
    explicit BusyIndicator(int size = 14, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QTimer m_timer;
    int m_angle = 0;
};

} // namespace glossivo
