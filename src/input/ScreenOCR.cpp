#include "input/ScreenOCR.h"

#include "input/CaptureGeometry.h"
#include "input/DevicePixels.h"
#include "input/EdgeSlivers.h"
#include "input/HighlightBlocks.h"
#include "input/InkPolarity.h"
#include "input/RecognitionWorker.h"
#include "input/ScreenGrabber.h"
#include "input/SolidBlocks.h"
#include "input/TextRecognizer.h"
#include "input/TextRows.h"

#include <QCoro/QCoroFuture>

#include <algorithm>
#include <cmath>

namespace glossivo {

namespace {

constexpr double kContextLines = 3.5; // line heights above and below that the context takes

QCoro::Task<QList<ScreenOCR::Line>> awaitLines(QFuture<QList<ScreenOCR::Line>> lines)
{
    co_await qCoro(lines).waitForFinished();
    if (lines.resultCount() == 0) {
        lines.waitForFinished(); // rethrows the recogniser's error
        throw RecognitionError("recognition stopped");
    }
    co_return lines.result();
}

QCoro::Task<QList<ScreenOCR::Line>> recognizeImage(RecognitionWorker& recognition, GrayImage image)
{
    co_return co_await awaitLines(recognition.recognize(std::move(image)));
}

// The engine's time grows with the lines it reads: the slices of a strip are read side by
// side, one engine each, and their lines put back where the slices lie.
QCoro::Task<QList<ScreenOCR::Line>> recognizeInSlices(RecognitionWorker& recognition,
                                                      GrayImage image)
{
    const QList<ScreenOCR::Slice> slices = ScreenOCR::slices(image, recognition.engines());
    if (slices.size() < 2) co_return co_await recognizeImage(recognition, std::move(image));
    QList<QFuture<QList<ScreenOCR::Line>>> reads;
    for (const ScreenOCR::Slice& slice : slices)
        reads.append(recognition.recognize(image.rows(slice.top, slice.height)));
    QList<ScreenOCR::Line> lines;
    for (qsizetype i = 0; i < reads.size(); ++i)
        lines += ScreenOCR::placed(co_await awaitLines(reads[i]), slices[i], image.height);
    co_return lines;
}

QCoro::Task<std::optional<QList<ScreenOCR::Line>>>
readCapture(ScreenGrabber& grabber, RecognitionWorker& recognition,
            const CaptureGeometry::Capture& capture)
{
    std::optional<GrayImage> image = grabber.capture(capture.global(), capture.screen);
    if (!image || image->isNull()) co_return std::nullopt;
    co_return co_await recognizeImage(recognition, std::move(*image));
}

} // namespace

ScreenOCR::Margins ScreenOCR::marginsOf(const CaptureGeometry::Capture& capture,
                                        const QRect& grabbed, const GrayImage& image)
{
    const QRect outer = DevicePixels::toDevice(capture.screen, grabbed);
    const QRect inner = DevicePixels::toDevice(capture.screen, capture.global());
    const Margins beyond{inner.left() - outer.left(), outer.right() - inner.right()};
    if (image.width != outer.width() || beyond.left < 0 || beyond.right < 0 ||
        beyond.left + beyond.right >= image.width)
        return {};
    return beyond;
}

// The recogniser's time grows with every line it reads, and lines further from the pointer's
// would be left out of the context anyway.
void ScreenOCR::keepContextRows(CaptureGeometry::Capture& capture, GrayImage& image, QPoint point)
{
    const qreal scale = capture.screen.scale;
    const int pointerRow = int((point.y() - capture.global().top()) * scale);
    const auto band = TextRows::around(TextRows::find(image), pointerRow, kContextLines, scale);
    if (!band) return;
    const int top = int(std::floor(band->top / scale));
    const int bottom = std::min(int(std::ceil((band->bottom + 1) / scale)), capture.local.height());
    const QRect rows(capture.global().x(), capture.global().y() + top, capture.local.width(),
                     bottom - top);
    const auto narrowed = CaptureGeometry::within(capture, rows);
    if (!narrowed || narrowed->local == capture.local) return;
    const int firstRow = int((narrowed->local.top() - capture.local.top()) * scale);
    const int height = std::min(int(narrowed->local.height() * scale), image.height - firstRow);
    image = image.rows(firstRow, height);
    capture = *narrowed;
}

QList<ScreenOCR::Slice> ScreenOCR::slices(const GrayImage& image, int parts)
{
    const QList<TextRows::Band> bands = TextRows::find(image);
    const qsizetype count = std::min<qsizetype>(parts, bands.size());
    if (count < 2) return {{0, image.height}};
    QList<Slice> slices;
    int top = 0;
    for (qsizetype i = 1; i <= count; ++i) {
        // Cut in the middle of the blank rows after the last line of this part.
        const qsizetype next = i * bands.size() / count;
        const int bottom =
            i == count ? image.height : (bands[next - 1].bottom + 1 + bands[next].top + 1) / 2;
        slices.append({top, bottom - top});
        top = bottom;
    }
    return slices;
}

QList<ScreenOCR::Line> ScreenOCR::placed(QList<Line> lines, Slice slice, int height)
{
    // Normalized boxes count from the bottom: the slice's bottom lies this far above the
    // picture's.
    const qreal scale = qreal(slice.height) / height;
    const qreal lift = qreal(height - slice.top - slice.height) / height;
    const auto place = [&](QRectF& box) {
        box = QRectF(box.x(), box.y() * scale + lift, box.width(), box.height() * scale);
    };
    for (Line& line : lines) {
        place(line.box);
        for (Word& word : line.words)
            place(word.box);
    }
    return lines;
}

QList<ScreenOCR::Line> ScreenOCR::inside(QList<Line> lines, Margins beyond, int width)
{
    const qreal read = width - beyond.left - beyond.right;
    const auto place = [&](QRectF& box) {
        box = QRectF((box.x() * width - beyond.left) / read, box.y(), box.width() * width / read,
                     box.height());
    };
    for (Line& line : lines) {
        place(line.box);
        for (Word& word : line.words)
            place(word.box);
    }
    return lines;
}

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
    if (const auto window = m_grabber.windowAreaAt(point, capture->screen)) {
        capture = CaptureGeometry::stripWithin(*capture, point, *window);
        if (!capture) co_return std::nullopt;
    }
    const QRect grabbed = CaptureGeometry::beyondSides(*capture);
    std::optional<GrayImage> image = m_grabber.capture(grabbed, capture->screen);
    if (!image || image->isNull()) co_return std::nullopt;
    const Margins beyond = marginsOf(*capture, grabbed, *image);
    keepContextRows(*capture, *image, point);
    SolidBlocks::paintOver(*image);
    HighlightBlocks::blendIn(*image);
    InkPolarity::darkOnLight(*image);
    // The picture's pixels are shared, not copied: the engines only read them.
    const QList<Line> lines =
        inside(co_await recognizeInSlices(
                   m_recognition,
                   EdgeSlivers::paintedOver(*image, capture->cuts, beyond.left, beyond.right)),
               beyond, image->width);
    co_return Read{*capture, wholeWords(lines, *image, capture->cuts, beyond)};
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
