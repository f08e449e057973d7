#pragma once

#include "card/WordCardData.h"

#include <QWidget>

namespace glossivo {

class CardController;

// The lower part of an opened word card: the English definition and notes, the form, grammar
// and derivation, the ask buttons, and the row of actions with the source of the text.
class WordCardDetails : public QWidget {
    Q_OBJECT

public:
    WordCardDetails(const WordCardData& data, CardController& controller,
                    QWidget* parent = nullptr);

private:
    QWidget* notes(const Explanation& explanation);
    QWidget* actions(const WordCardData& data, CardController& controller);
};

} // namespace glossivo
