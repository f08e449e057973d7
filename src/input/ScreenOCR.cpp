#include "input/ScreenOCR.h"

#include "input/CaptureGeometry.h"
#include "input/RecognitionWorker.h"
#include "input/ScreenGrabber.h"
#include "input/TextRecognizer.h"

#include <QCoro/QCoroFuture>

namespace glossivo {

namespace {

QCoro::Task<std::optional<QList<ScreenOCR::Line>>>
readCapture(ScreenGrabber& grabber, RecognitionWorker& recognition,
            const CaptureGeometry::Capture& capture)
{
    std::optional<GrayImage> image = grabber.capture(capture.global(), capture.screen.scale);
    if (!image || image->isNull()) co_return std::nullopt;
    QFuture<QList<ScreenOCR::Line>> lines = recognition.recognize(std::move(*image));
    co_await qCoro(lines).waitForFinished();
    if (lines.resultCount() == 0) {
        lines.waitForFinished(); // rethrows the recogniser's error
        throw RecognitionError("recognition stopped");
    }
    co_return lines.result();
}

} // namespace

ScreenOCR::ScreenOCR(Screens screens, ScreenGrabber& grabber, RecognitionWorker& recognition)
    : m_screens(std::move(screens)), m_grabber(grabber), m_recognition(recognition)
{}

QCoro::Task<std::optional<ScreenOCR::Result>> ScreenOCR::recognize(QPoint point, bool findWord)
{
    const auto capture = CaptureGeometry::stripAround(m_screens(), point);
    if (!capture) co_return std::nullopt;
    const auto lines = co_await readCapture(m_grabber, m_recognition, *capture);
    if (!lines) co_return std::nullopt;
    auto result = analyze(*lines, CaptureGeometry::normalized(*capture, point), findWord);
    if (result && result->wordRect)
        result->wordRect = CaptureGeometry::toGlobal(*capture, *result->wordRect);
    co_return result;
}

QCoro::Task<std::optional<QString>> ScreenOCR::recognizeText(QRect rect)
{
    const auto capture = CaptureGeometry::region(m_screens(), rect);
    if (!capture) co_return std::nullopt;
    auto lines = co_await readCapture(m_grabber, m_recognition, *capture);
    if (!lines) co_return std::nullopt;
    sortInRegionOrder(*lines);
    co_return join(*lines);
}

} // namespace glossivo
