#pragma once

#include "review/ReviewScreen.h"

#include <QWidget>

namespace glossivo {

class ReviewViewState;

// What a rating led to: the graduation, a new leech with the offer of a week's rest, or the
// small rest link of a word that keeps being forgotten. Absent when there is nothing to say.
class OutcomeBanner : public QWidget {
    Q_OBJECT

public:
    // None for a banner without content.
    static OutcomeBanner* make(ReviewScreen::Banner banner, ReviewViewState& state,
                               QWidget* parent);

private:
    OutcomeBanner(ReviewScreen::Banner banner, ReviewViewState& state, QWidget* parent);
};

} // namespace glossivo
