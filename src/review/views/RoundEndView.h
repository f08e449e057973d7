#pragma once

#include "review/ReviewScreen.h"

#include <QWidget>

namespace glossivo {

class ReviewViewState;

// The middle of the window when no question is up: why a round is empty (with the offer of five
// more new words when learning slots are free), or a finished round's result with another round
// and "关闭" (Return).
class RoundEndView : public QWidget {
    Q_OBJECT

public:
    RoundEndView(const ReviewScreen& screen, ReviewViewState& state, QWidget* parent = nullptr);
};

} // namespace glossivo
