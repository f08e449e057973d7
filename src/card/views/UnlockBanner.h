#pragma once

#include "model/Unlock.h"

#include <QWidget>

namespace glossivo {

// A pale orange strip of what a lookup or a save revealed, item after item, wrapping.
class UnlockBanner : public QWidget {
    Q_OBJECT

public:
    explicit UnlockBanner(const Unlock& unlock, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace glossivo
