#pragma once

#include "input/GrayImage.h"
#include "input/ScreenOCR.h"

#include <QElapsedTimer>
#include <QFuture>
#include <QList>
#include <QObject>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

namespace glossivo {

class TextRecognizer;

// Text recognisers, kept warm on threads of their own while they are in use: starting an engine
// costs far more than reading a strip, and recognition must never hold up the event loop. Each
// engine reads the pictures handed to it one after the other; a picture goes to the engine
// with the fewest waiting, so that the slices of one strip are read side by side. Engines that
// rest long enough are ended, since each holds tens of megabytes; the next use starts them again.
class RecognitionWorker : public QObject {
    Q_OBJECT

public:
    using Factory = std::function<std::unique_ptr<TextRecognizer>()>;

    // The factory runs on the worker threads, at the first request or at warmUp().
    explicit RecognitionWorker(Factory factory, int engines = 1, QObject* parent = nullptr);
    // Waits for the pictures being read, drops the others and ends the threads.
    ~RecognitionWorker() override;

    int engines() const { return int(m_engines.size()); }

    // Starts the engines now, so that the first lookup does not pay for them. Cheap while they
    // are started: call it at every sign that a lookup may come.
    void warmUp();
    // Ends the engines once neither a request nor a warmUp() came for this long, all but the
    // first `kept`, which start now and stay: the first lookup after a rest reads on them while
    // the others start. Never unless set.
    void setIdleRelease(std::chrono::milliseconds idle, int kept = 0);

    // The lines of the picture; a RecognitionError (or the engine's failure to start) is
    // stored in the future and rethrown where its result is taken.
    QFuture<QList<ScreenOCR::Line>> recognize(GrayImage image);

private:
    struct Engine {
        std::unique_ptr<TextRecognizer> recognizer; // touched on its own thread only
        QThread thread;
        QObject* context = nullptr; // lives on the thread; its queue orders the requests
        std::atomic<int> waiting{0};
        std::atomic<bool> ready{false}; // started, so a request costs no start
    };
    TextRecognizer& recognizer(Engine& engine);
    void start(Engine& engine);
    Engine& leastBusy() const;
    void used();
    void releaseIfIdle();

    Factory m_factory;
    std::vector<std::unique_ptr<Engine>> m_engines;
    bool m_started = false; // warmUp() asked every engine to start since the last release
    std::chrono::milliseconds m_idleRelease{0};
    int m_kept = 0;
    QElapsedTimer m_lastUse;
    QTimer m_idleTimer;
};

} // namespace glossivo
