#include "platform/speech/QtSpeechEngine.h"

#include <QTextToSpeech>

namespace glossivo {

namespace {

// 0.45 on a scale from 0 to 1 whose normal pace is 0.5, moved onto Qt's -1 to 1 around 0.
constexpr double kRate = (0.45 - 0.5) * 2.0;

void chooseAmericanVoice(QTextToSpeech& speech)
{
    const QLocale american(QLocale::English, QLocale::UnitedStates);
    if (!speech.availableLocales().contains(american)) return;
    speech.setLocale(american);
    // The voices offered are those of the locale just set.
    const QList<QVoice> voices = speech.availableVoices();
    if (!voices.isEmpty()) speech.setVoice(voices.first());
}

} // namespace

std::unique_ptr<QtSpeechEngine> QtSpeechEngine::create()
{
    for (const QString& engine : QTextToSpeech::availableEngines()) {
        auto* speech = new QTextToSpeech(engine);
        if (speech->state() == QTextToSpeech::Error) {
            delete speech;
            continue;
        }
        chooseAmericanVoice(*speech);
        speech->setRate(kRate);
        return std::unique_ptr<QtSpeechEngine>(new QtSpeechEngine(speech));
    }
    return nullptr;
}

QtSpeechEngine::QtSpeechEngine(QTextToSpeech* speech) : m_speech(speech) {}

QtSpeechEngine::~QtSpeechEngine()
{
    delete m_speech;
}

void QtSpeechEngine::stop()
{
    m_speech->stop();
}

void QtSpeechEngine::say(const QString& text)
{
    m_speech->say(text);
}

} // namespace glossivo
