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

struct ScreenOCR::Read {
    CaptureGeometry::Capture capture;
    QList<Line> lines;
};

// The strip around the point inside the window there: a title bar or a neighbouring window
// would only lend the context words of another text.
QCoro::Task<std::optional<ScreenOCR::Read>> ScreenOCR::readStrip(QPoint point)
{
    auto capture = CaptureGeometry::stripAround(m_screens(), point);
    if (!capture) co_return std::nullopt;
    if (const auto window = m_grabber.windowAreaAt(point, capture->screen.scale)) {
        capture = CaptureGeometry::within(*capture, *window);
        if (!capture) co_return std::nullopt;
    }
    const auto lines = co_await readCapture(m_grabber, m_recognition, *capture);
    if (!lines) co_return std::nullopt;
    const qreal scale = capture->screen.scale;
    const QSize pixels(int(capture->local.width() * scale), int(capture->local.height() * scale));
    co_return Read{*capture, wholeWords(*lines, pixels, capture->cuts)};
}

QCoro::Task<std::optional<ScreenOCR::Result>> ScreenOCR::recognize(QPoint point, bool findWord)
{
    const auto read = co_await readStrip(point);
    if (!read) co_return std::nullopt;
    auto result = analyze(read->lines, CaptureGeometry::normalized(read->capture, point), findWord);
    if (result && result->wordRect)
        result->wordRect = CaptureGeometry::toGlobal(read->capture, *result->wordRect);
    co_return result;
}

QCoro::Task<std::optional<ScreenOCR::Result>> ScreenOCR::recognizeSelection(Selection selection)
{
    const auto read = co_await readStrip(selection.to);
    if (!read) co_return std::nullopt;
    const QPointF to = CaptureGeometry::normalized(read->capture, selection.to);
    const QList<Line> lines =
        withSelection(read->lines, CaptureGeometry::normalized(read->capture, selection.from), to,
                      selection.text);
    co_return analyze(lines, to, false);
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
