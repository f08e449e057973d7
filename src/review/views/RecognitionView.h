#pragma once

#include "review/ReviewScreen.h"

#include <QWidget>

class QVBoxLayout;

namespace glossivo {

class ReviewViewState;

// A recognition question: the word, its phonetic and the sentence it was met in, then the
// reveal button (Space), the answer with the four rate buttons (1 to 4), or, after a graduation
// or a new leech, the answer with the next button (Return).
class RecognitionView : public QWidget {
    Q_OBJECT

public:
    RecognitionView(ReviewViewState& state, QWidget* parent = nullptr);

    // Shows the state's screen; rebuilds what lies below the question only when it changed.
    void show(const ReviewScreen& screen);

private:
    QWidget* revealRow();
    QWidget* rateRow();
    QWidget* nextRow();

    ReviewViewState& m_state;
    QVBoxLayout* m_column;
    QWidget* m_below = nullptr;
    std::optional<ReviewScreen> m_shown;
};

} // namespace glossivo
