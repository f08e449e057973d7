#pragma once

#include "review/ReviewScreen.h"
#include "ui/GlassPanel.h"

namespace glossivo {

// The answer shown once a question is answered: the word, its meaning, the sentence and its
// translation, and the memory tip or the latest AI note, on a glass panel.
class AnswerBlock : public GlassPanel {
    Q_OBJECT

public:
    AnswerBlock(const ReviewScreen::AnswerBlock& block, QWidget* parent = nullptr);
};

} // namespace glossivo
