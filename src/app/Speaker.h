#pragma once

#include "platform/SpeechEngine.h"

#include <QString>

#include <memory>

namespace glossivo {

// Reads English words and sentences aloud, one at a time: a new request cuts off the one in
// progress instead of queueing behind it.
class Speaker {
public:
    // Without an engine the speaker stays silent.
    explicit Speaker(std::unique_ptr<SpeechEngine> engine);

    // The process's speaker over the first working speech plugin, made at first use.
    static Speaker& shared();

    void speak(const QString& text);

private:
    std::unique_ptr<SpeechEngine> m_engine;
};

} // namespace glossivo
