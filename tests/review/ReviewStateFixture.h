#pragma once

#include "model/WordBookFixture.h"
#include "review/ReviewSession.h"
#include "review/ReviewViewState.h"
#include "review/TimerDelay.h"

#include <memory>

namespace glossivo::testing {

// A review session and the state its window draws, over a word book in a fresh folder, made anew
// for each set of words.
class ReviewStateFixture : public WordBookFixture {
protected:
    void startWith(const QList<WordEntry>& words, ReviewViewState::Speak speak = {})
    {
        state.reset();
        session.reset();
        open(words);
        session = std::make_unique<ReviewSession>(*store, delay);
        state = std::make_unique<ReviewViewState>(
            *session, *store, [this] { return config; }, std::move(speak));
    }

    TimerDelay delay;
    std::unique_ptr<ReviewSession> session;
    std::unique_ptr<ReviewViewState> state;
};

} // namespace glossivo::testing
