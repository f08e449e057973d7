#pragma once

#include "review/Delay.h"

#include <QObject>

namespace glossivo {

// A delay on Qt's timers. Work still pending when this object goes away never runs.
class TimerDelay final : public QObject, public Delay {
    Q_OBJECT

public:
    explicit TimerDelay(QObject* parent = nullptr) : QObject(parent) {}
    void after(std::chrono::milliseconds pause, std::function<void()> work) override;
};

} // namespace glossivo
