#pragma once

#include "ai/Translation.h"

#include <QWidget>

namespace glossivo {

class CardController;

// The Chinese translation of a passage, its key terms as chips that look the term up in the
// passage, and the ways into the sentence chat. The passage itself is not shown.
class TranslationCard : public QWidget {
    Q_OBJECT

public:
    TranslationCard(const QString& original, const Translation& translation,
                    CardController& controller, QWidget* parent = nullptr);

    static constexpr int kWidth = 360;
};

} // namespace glossivo
