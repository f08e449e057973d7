#pragma once

#include "input/GrayImage.h"
#include "input/ScreenOCR.h"

#include <QFuture>
#include <QList>
#include <QObject>
#include <QThread>

#include <functional>
#include <memory>

namespace glossivo {

class TextRecognizer;

// One text recogniser, made once and kept warm on a thread of its own: starting an engine
// costs far more than reading a strip, and recognition must never hold up the event loop.
// Pictures are read one after the other in the order they were handed in.
class RecognitionWorker : public QObject {
    Q_OBJECT

public:
    using Factory = std::function<std::unique_ptr<TextRecognizer>()>;

    // The factory runs on the worker thread, at the first request or at warmUp().
    explicit RecognitionWorker(Factory factory, QObject* parent = nullptr);
    // Waits for the picture being read, drops the others and ends the thread.
    ~RecognitionWorker() override;

    // Starts the engine now, so that the first lookup does not pay for it.
    void warmUp();

    // The lines of the picture; a RecognitionError (or the engine's failure to start) is
    // stored in the future and rethrown where its result is taken.
    QFuture<QList<ScreenOCR::Line>> recognize(GrayImage image);

private:
    TextRecognizer& engine();

    Factory m_factory;
    std::unique_ptr<TextRecognizer> m_engine; // touched on the worker thread only
    QThread m_thread;
    QObject* m_context; // lives on the worker thread; its queue orders the requests
};

} // namespace glossivo
