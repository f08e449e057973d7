#pragma once

#include "card/CardState.h"

#include <QObject>

namespace glossivo {

// The card's state, observed by the card view; the card controller is its only writer.
class CardModel : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    const CardState& state() const { return m_state; }
    void setState(const CardState& state);

Q_SIGNALS:
    void stateChanged();

private:
    CardState m_state;
};

} // namespace glossivo
