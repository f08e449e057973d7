#pragma once

#include "model/AppConfig.h"
#include "review/ReviewScreen.h"
#include "review/ReviewSession.h"

#include <QObject>
#include <QSet>

#include <functional>

namespace glossivo {

class WordStore;

// What the review window shows, kept up to date from the session and the word book, and what
// the window's keys and buttons ask for. The learning itself stays in the session and the word
// book: every intent here is one of their operations.
class ReviewViewState : public QObject {
    Q_OBJECT

public:
    using ConfigSource = std::function<AppConfig()>;
    using Speak = std::function<void(const QString&)>;

    ReviewViewState(ReviewSession& session, WordStore& store, ConfigSource config, Speak speak,
                    QObject* parent = nullptr);

    const ReviewScreen& screen() const { return m_screen; }
    ReviewSession& session() { return m_session; }

    // The prompt line over a question: the spelling mode's title and instruction, or the
    // recognition instruction alone.
    static QString prompt(const QuestionType& type);

    // Intents of the recognition question.
    void reveal();
    void rate(Rating rating);
    void next();
    // Sends the current word to rest for a week and goes on without it.
    void rest();
    void speakHeadword();

    // Intents of the spelling question.
    void setInput(const QString& text);
    void setCopyInput(const QString& text);
    void submit();
    void giveLetter();
    void giveUp();
    // Dictation: says the current answer again.
    void replay();
    // Copy mode: the word to copy has been in sight long enough.
    void hideWord(const QUuid& questionId);

    // Intents of the empty and finished views.
    void learnMore();
    void startAgain();
    void close();

Q_SIGNALS:
    void changed();
    void closeRequested();

private:
    void refresh();
    void refreshLater();
    ReviewScreen build();
    void fillQuestion(ReviewScreen& screen, const ReviewQuestion& question);
    void fillSpelling(ReviewScreen& screen, const ReviewQuestion& question, SpellMode mode);
    ReviewScreen::AnswerBlock answerBlock(const ReviewQuestion& question) const;
    ReviewScreen::Banner banner() const;
    ReviewScreen::Empty emptyScreen() const;
    ReviewScreen::Finished finishedScreen();

    ReviewSession& m_session;
    WordStore& m_store;
    ConfigSource m_config;
    Speak m_speak;
    ReviewScreen m_screen;
    QSet<QUuid> m_hiddenWords; // copy questions whose word has turned into dots
    bool m_refreshPending = false;
    // Asking the word book for the next round can change it; that change is our own doing and
    // must not ask again.
    bool m_askingWordBook = false;
};

} // namespace glossivo
