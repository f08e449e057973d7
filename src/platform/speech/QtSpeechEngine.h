#pragma once

#include "platform/SpeechEngine.h"

#include <memory>

class QTextToSpeech;

namespace glossivo {

// Speech through Qt's text-to-speech plugins (speech-dispatcher, flite).
class QtSpeechEngine final : public SpeechEngine {
public:
    // None when no plugin is installed or none of them works.
    static std::unique_ptr<QtSpeechEngine> create();
    ~QtSpeechEngine() override;

    void stop() override;
    void say(const QString& text) override;

private:
    explicit QtSpeechEngine(QTextToSpeech* speech);

    QTextToSpeech* m_speech;
};

} // namespace glossivo
