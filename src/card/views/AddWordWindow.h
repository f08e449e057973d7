#pragma once

#include "card/AddWordState.h"

#include <QWidget>

#include <functional>

namespace glossivo {

class AddWordView;

// The window "查词" around the add-word view, with the state it shows. It grows with its
// content, so that a long answer is never cut.
class AddWordWindow : public QWidget {
    Q_OBJECT

public:
    AddWordWindow(WordStore& words, AddWordState::ConfigSource config,
                  std::function<void(const QString&)> speak, QWidget* parent = nullptr);

    AddWordState& state() { return m_state; }
    AddWordView* view() const { return m_view; }

    // The content size the window opens with.
    static constexpr QSize kInitialSize{460, 220};

private:
    // Back to the content's height once an answer is gone, unless the user chose the height.
    void fitTo(int needed);

    AddWordState m_state;
    AddWordView* m_view;
    // The height the window last took for its content.
    int m_fittedHeight = kInitialSize.height();
};

} // namespace glossivo
