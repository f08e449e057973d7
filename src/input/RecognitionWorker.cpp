#include "input/RecognitionWorker.h"

#include "input/TextRecognizer.h"

#include <QPromise>

#include <algorithm>

namespace glossivo {

RecognitionWorker::RecognitionWorker(Factory factory, int engines, QObject* parent)
    : QObject(parent), m_factory(std::move(factory))
{
    for (int i = 0; i < std::max(engines, 1); ++i) {
        auto engine = std::make_unique<Engine>();
        engine->thread.setObjectName(QStringLiteral("text recognition"));
        engine->context = new QObject;
        engine->context->moveToThread(&engine->thread);
        connect(&engine->thread, &QThread::finished, engine->context, &QObject::deleteLater);
        engine->thread.start();
        m_engines.push_back(std::move(engine));
    }
    m_idleTimer.setSingleShot(true);
    connect(&m_idleTimer, &QTimer::timeout, this, &RecognitionWorker::releaseIfIdle);
}

RecognitionWorker::~RecognitionWorker()
{
    for (const auto& engine : m_engines) {
        engine->thread.quit();
        engine->thread.wait();
        // The engine was made on its thread, which has ended: nothing else can touch it.
        engine->recognizer.reset();
    }
}

TextRecognizer& RecognitionWorker::recognizer(Engine& engine)
{
    if (!engine.recognizer) {
        engine.recognizer = m_factory();
        if (!engine.recognizer) throw RecognitionError("no text recogniser");
        engine.ready = true;
    }
    return *engine.recognizer;
}

void RecognitionWorker::start(Engine& engine)
{
    QMetaObject::invokeMethod(engine.context, [this, engine = &engine] {
        try {
            recognizer(*engine);
        } catch (const std::exception&) {
            // The next request tries again and reports the failure to its caller.
        }
    });
}

void RecognitionWorker::setIdleRelease(std::chrono::milliseconds idle, int kept)
{
    m_idleRelease = idle;
    m_kept = std::clamp(kept, 0, engines());
    for (int i = 0; i < m_kept; ++i)
        start(*m_engines[size_t(i)]);
}

void RecognitionWorker::used()
{
    m_lastUse.start();
    // Restarting a timer at every pointer motion would cost more than the check when it fires.
    if (m_idleRelease.count() > 0 && !m_idleTimer.isActive()) m_idleTimer.start(m_idleRelease);
}

void RecognitionWorker::releaseIfIdle()
{
    const auto rested = std::chrono::milliseconds(m_lastUse.elapsed());
    if (rested < m_idleRelease) {
        m_idleTimer.start(m_idleRelease - rested);
        return;
    }
    m_started = false;
    // In each engine's queue: a request queued before it is read first, one after it starts
    // the engine again.
    for (size_t i = size_t(m_kept); i < m_engines.size(); ++i) {
        Engine* engine = m_engines[i].get();
        QMetaObject::invokeMethod(engine->context, [engine] {
            engine->ready = false;
            engine->recognizer.reset();
        });
    }
}

void RecognitionWorker::warmUp()
{
    used();
    if (m_started) return;
    m_started = true;
    for (const auto& engine : m_engines)
        start(*engine);
}

RecognitionWorker::Engine& RecognitionWorker::leastBusy() const
{
    // A started engine reads at once; one still starting would hold the picture for the
    // fraction of a second its start takes, so it gets one only when none is started.
    Engine* best = nullptr;
    for (const auto& engine : m_engines) {
        if (best && best->ready && !engine->ready) continue;
        if (!best || (engine->ready && !best->ready) || engine->waiting < best->waiting)
            best = engine.get();
    }
    return *best;
}

QFuture<QList<ScreenOCR::Line>> RecognitionWorker::recognize(GrayImage image)
{
    auto promise = std::make_shared<QPromise<QList<ScreenOCR::Line>>>();
    QFuture<QList<ScreenOCR::Line>> future = promise->future();
    promise->start();
    used();
    Engine* engine = &leastBusy();
    ++engine->waiting;
    const bool queued = QMetaObject::invokeMethod(
        engine->context, [this, engine, promise, image = std::move(image)] {
            try {
                promise->addResult(recognizer(*engine).recognizeLines(image));
            } catch (...) {
                promise->setException(std::current_exception());
            }
            --engine->waiting;
            promise->finish();
        });
    if (!queued) {
        --engine->waiting;
        promise->setException(std::make_exception_ptr(RecognitionError("recognition stopped")));
        promise->finish();
    }
    return future;
}

} // namespace glossivo
