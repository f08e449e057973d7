#pragma once

#include "review/ReviewScreen.h"

#include <QWidget>

class QLabel;
class QProgressBar;
class QVBoxLayout;

namespace glossivo {

class ReviewViewState;

// The one window of review and spelling rounds: the round's progress at the top, and below it
// the current question (its badge and prompt over the recognition or spelling view), or the
// empty or finished view. It draws the state and owns no learning of its own; closing it only
// hides it.
class ReviewWindow : public QWidget {
    Q_OBJECT

public:
    explicit ReviewWindow(ReviewViewState& state, QWidget* parent = nullptr);

private:
    void redraw();
    QWidget* question(const ReviewScreen& screen);

    ReviewViewState& m_state;
    QProgressBar* m_progress;
    QLabel* m_counter;
    QVBoxLayout* m_content;
    QWidget* m_shown = nullptr;
    // What m_shown stands for: the kind of view and, for a question, its id.
    ReviewScreen::Content m_shownContent = ReviewScreen::Content::nothing;
    QUuid m_shownQuestion;
    QWidget* m_body = nullptr; // the question's recognition or spelling view
};

} // namespace glossivo
