#pragma once

#include "review/ReviewScreen.h"

#include <QWidget>

#include <optional>

class QLineEdit;
class QVBoxLayout;

namespace glossivo {

class LetterSlots;
class ReviewViewState;

// A spelling question: the clue of its mode, the letter slots and the answer field while it is
// asked (Return submits, Tab gives a letter, Ctrl+R replays a dictation), and the verdict with
// the answer once it is graded (Return goes on; after a miss the word can be typed along).
// One view per question: it starts fresh, with the focus going to its answer field.
class SpellingView : public QWidget {
    Q_OBJECT

public:
    SpellingView(ReviewViewState& state, const ReviewScreen& screen, QWidget* parent = nullptr);

    void show(const ReviewScreen& screen);

    // How long the word to copy stays in sight when nothing is typed.
    static constexpr int kCopyWordMilliseconds = 2500;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* clue(const ReviewScreen& screen);
    QWidget* asking(const ReviewScreen& screen);
    QWidget* graded(const ReviewScreen& screen);
    QWidget* typeAlong(const ReviewScreen& screen, QWidget* parent);
    void replace(QWidget*& slot, QWidget* by, int position);

    ReviewViewState& m_state;
    QVBoxLayout* m_column;
    QWidget* m_clue = nullptr;
    QWidget* m_part = nullptr;
    LetterSlots* m_slots = nullptr;
    QLineEdit* m_field = nullptr;
    LetterSlots* m_copySlots = nullptr;
    QLineEdit* m_copyField = nullptr;
    std::optional<ReviewScreen> m_shown;
};

} // namespace glossivo
