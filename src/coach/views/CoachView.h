#pragma once

#include "model/SafeLink.h"

#include <QWidget>

#include <functional>

class QToolButton;

namespace glossivo {

class ChatEntry;
class ChipButton;
class Clock;
class CoachConversation;
class CoachFacts;
class CoachSession;
class PlainLabel;

// The AI coach window's content: a header with the date and a button that writes the brief
// again, the day's conversation, and an input bar with the review button, the preset questions
// and a text field whose send button turns into stop while an answer streams. It keeps no
// conversation of its own: it draws the session and hands every action to it. The text field
// takes the focus only when the user clicks into it.
class CoachView : public QWidget {
    Q_OBJECT

public:
    // `startReview` is the review button's action; it may be empty, and is then a button that
    // does nothing. Links in the coach's text open only through `open`, and only http(s) ones.
    CoachView(CoachSession& session, const CoachFacts& facts, const Clock& clock,
              std::function<void()> startReview, LinkOpener open, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* makeHeader();
    QWidget* makeInputBar();
    // The date and the chip after a review follow the clock and the log; they are looked at
    // again whenever the window comes up or the conversation moves on.
    void refreshDay();
    void showAnswering();

    CoachSession& m_session;
    const CoachFacts& m_facts;
    const Clock& m_clock;
    std::function<void()> m_startReview;
    LinkOpener m_open;
    qsizetype m_count = -1;

    PlainLabel* m_date = nullptr;
    QToolButton* m_refresh = nullptr;
    CoachConversation* m_conversation = nullptr;
    QList<ChipButton*> m_chips;
    ChipButton* m_afterReview = nullptr;
    ChatEntry* m_entry = nullptr;
};

} // namespace glossivo
