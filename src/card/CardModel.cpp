#include "card/CardModel.h"

namespace glossivo {

void CardModel::setState(const CardState& state)
{
    m_state = state;
    Q_EMIT stateChanged();
}

} // namespace glossivo
