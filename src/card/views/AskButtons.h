#pragma once

#include "card/QuickQuestion.h"

#include <QWidget>

namespace glossivo {

class CardController;

// Two preset questions and one's own, each carrying the card into the sentence chat.
class AskButtons : public QWidget {
    Q_OBJECT

public:
    AskButtons(QuickQuestion primary, QuickQuestion secondary, CardController& controller,
               QWidget* parent = nullptr);
};

} // namespace glossivo
