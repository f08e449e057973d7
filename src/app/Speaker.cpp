#include "app/Speaker.h"

#include "platform/speech/QtSpeechEngine.h"

namespace glossivo {

Speaker::Speaker(std::unique_ptr<SpeechEngine> engine) : m_engine(std::move(engine)) {}

Speaker& Speaker::shared()
{
    static Speaker speaker(QtSpeechEngine::create());
    return speaker;
}

void Speaker::speak(const QString& text)
{
    if (!m_engine) return;
    m_engine->stop();
    if (!text.isEmpty()) m_engine->say(text);
}

} // namespace glossivo
