#include "input/RecognitionWorker.h"

#include "input/TextRecognizer.h"

#include <QPromise>

namespace glossivo {

RecognitionWorker::RecognitionWorker(Factory factory, QObject* parent)
    : QObject(parent), m_factory(std::move(factory)), m_context(new QObject)
{
    m_thread.setObjectName(QStringLiteral("text recognition"));
    m_context->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_context, &QObject::deleteLater);
    m_thread.start();
}

RecognitionWorker::~RecognitionWorker()
{
    m_thread.quit();
    m_thread.wait();
    // The engine was made on the worker thread, which has ended: nothing else can touch it.
    m_engine.reset();
}

TextRecognizer& RecognitionWorker::engine()
{
    if (!m_engine) {
        m_engine = m_factory();
        if (!m_engine) throw RecognitionError("no text recogniser");
    }
    return *m_engine;
}

void RecognitionWorker::warmUp()
{
    QMetaObject::invokeMethod(m_context, [this] {
        try {
            engine();
        } catch (const std::exception&) {
            // The next request tries again and reports the failure to its caller.
        }
    });
}

QFuture<QList<ScreenOCR::Line>> RecognitionWorker::recognize(GrayImage image)
{
    auto promise = std::make_shared<QPromise<QList<ScreenOCR::Line>>>();
    QFuture<QList<ScreenOCR::Line>> future = promise->future();
    promise->start();
    const bool queued =
        QMetaObject::invokeMethod(m_context, [this, promise, image = std::move(image)] {
            try {
                promise->addResult(engine().recognizeLines(image));
            } catch (...) {
                promise->setException(std::current_exception());
            }
            promise->finish();
        });
    if (!queued) {
        promise->setException(std::make_exception_ptr(RecognitionError("recognition stopped")));
        promise->finish();
    }
    return future;
}

} // namespace glossivo
