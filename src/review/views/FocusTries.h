#pragma once

#include <QObject>
#include <QTimer>

class QWidget;

namespace glossivo {

// Puts the keyboard focus into a text field that has just appeared. A window manager may not
// hand the focus over at once, so it tries again after 30, 120, 300 and 600 ms, stopping as soon
// as the field has it and giving up quietly after the fourth try. It lives inside the field, so
// a field that goes away takes its remaining tries with it.
class FocusTries : public QObject {
    Q_OBJECT

public:
    static void start(QWidget* field);

private:
    explicit FocusTries(QWidget* field);
    void attempt();

    QWidget* m_field;
    QTimer m_timer;
    int m_tries = 0;
};

} // namespace glossivo
