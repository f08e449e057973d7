#pragma once

#include <QString>

namespace glossivo {

// A text-to-speech engine speaking American English at a slightly slow pace.
class SpeechEngine {
public:
    virtual ~SpeechEngine() = default;
    // Ends the utterance in progress at once.
    virtual void stop() = 0;
    // Starts speaking and returns; the speech runs on its own.
    virtual void say(const QString& text) = 0;
};

} // namespace glossivo
