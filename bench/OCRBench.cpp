#include "input/CaptureGeometry.h"
#include "input/GrayImage.h"
#include "input/RecognitionWorker.h"
#include "input/ScreenGrabber.h"
#include "input/ScreenOCR.h"
#include "platform/qt/QtScreens.h"
#include "platform/tesseract/TesseractRecognizer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QStringList>

#include <QCoro/QCoroTask>

#include <benchmark/benchmark.h>

using namespace glossivo;

namespace {

// What the strip around the pointer typically holds: a paragraph of 15-pixel text in a
// 760 x 200 window, its first and last lines cut by the strip's edges.
GrayImage strip(int scale)
{
    const QStringList paragraph{
        "The committee postponed its decision until further notice, citing the need for",
        "additional consultation with residents and local businesses. Critics argued that",
        "the delay was unprecedented and would prove costly, while supporters insisted the",
        "extra time would lead to a better outcome. Meanwhile, several neighbourhood groups",
        "began organising meetings of their own, hoping to influence the final proposal.",
        "Officials declined to say when a new vote might take place, but a spokesperson said",
        "the council remained committed to transparency throughout the entire process.",
        "Observers expect the debate to continue well into the next financial year.",
        "For now, the old regulations stay in force and no new permits will be issued."};
    QImage image(760 * scale, 200 * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::white);
    QPainter painter(&image);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(15);
    painter.setFont(font);
    painter.setPen(QColor(0x20, 0x20, 0x20));
    double baseline = -8;
    for (const QString& line : paragraph) {
        painter.drawText(QPointF(12, baseline), line);
        baseline += 24;
    }
    return QtScreens::toGray(image);
}

void engineStart(benchmark::State& state)
{
    for (auto _ : state) {
        TesseractRecognizer engine;
        benchmark::DoNotOptimize(&engine);
    }
}
BENCHMARK(engineStart)->Unit(benchmark::kMillisecond);

// The strip read by an engine that is already running, at the screen scales 1 and 2.
void warmStrip(benchmark::State& state)
{
    const GrayImage picture = strip(int(state.range(0)));
    TesseractRecognizer engine;
    qsizetype words = 0;
    for (auto _ : state) {
        const QList<ScreenOCR::Line> lines = engine.recognizeLines(picture);
        words = 0;
        for (const ScreenOCR::Line& line : lines)
            words += line.words.size();
    }
    state.counters["words"] = double(words);
}
BENCHMARK(warmStrip)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// What a lookup with the pointer in the middle of the strip reads of it: only the rows of the
// lines its context can take.
void contextRows(benchmark::State& state)
{
    GrayImage picture = strip(1);
    CaptureGeometry::Capture capture{{QRect(0, 0, 760, 200), 1.0}, QRect(0, 0, 760, 200)};
    capture.cuts = Qt::LeftEdge | Qt::RightEdge | Qt::TopEdge | Qt::BottomEdge;
    ScreenOCR::keepContextRows(capture, picture, QPoint(380, 100));
    TesseractRecognizer engine;
    qsizetype words = 0;
    for (auto _ : state) {
        const QList<ScreenOCR::Line> lines =
            ScreenOCR::wholeWords(engine.recognizeLines(picture), picture, capture.cuts);
        words = 0;
        for (const ScreenOCR::Line& line : lines)
            words += line.words.size();
    }
    state.counters["rows"] = picture.height;
    state.counters["words"] = double(words);
}
BENCHMARK(contextRows)->Unit(benchmark::kMillisecond);

// A pointer's rest to the lookup's request: the strip read as the program reads it, its context
// rows in slices on a pool of engines (the argument), the word and context found.
class StripGrabber : public ScreenGrabber {
public:
    std::optional<GrayImage> capture(const QRect&, const ScreenArea&) override { return strip(1); }
    std::optional<QRect> windowAreaAt(QPoint, const ScreenArea&) override { return std::nullopt; }
};

void lookup(benchmark::State& state)
{
    StripGrabber grabber;
    RecognitionWorker recognition([] { return std::make_unique<TesseractRecognizer>(); },
                                  int(state.range(0)));
    ScreenOCR ocr(
        [] {
            return QList<ScreenArea>{{QRect(0, 0, 1280, 800), 1.0}};
        },
        grabber, recognition);
    // The strip around (640, 400) is (260, 300, 760, 200): the pointer in its middle.
    std::optional<ScreenOCR::Result> result = QCoro::waitFor(ocr.recognize({640, 400}, true));
    for (auto _ : state)
        result = QCoro::waitFor(ocr.recognize({640, 400}, true));
    state.counters["contextWords"] =
        result ? double(result->context.split(u' ', Qt::SkipEmptyParts).size()) : 0.0;
    state.SetLabel(result && result->word ? result->word->toStdString() : std::string("-"));
}
BENCHMARK(lookup)->Arg(1)->Arg(2)->Arg(3)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
