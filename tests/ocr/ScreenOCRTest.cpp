#include "input/ScreenOCR.h"
#include "input/RecognitionWorker.h"
#include "input/ScreenGrabber.h"
#include "input/TextRecognizer.h"
#include "support/AwaitTask.h"

#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>

using namespace glossivo;
using glossivo::testing::awaitTask;

namespace {

class FakeGrabber : public ScreenGrabber {
public:
    std::optional<GrayImage> capture(const QRect& rect, const ScreenArea& screen) override
    {
        const qreal scale = screen.scale;
        rects.append(rect);
        scales.append(scale);
        if (fails) throw ScreenCaptureError("no screen for you");
        if (empty) return std::nullopt;
        return GrayImage{
            int(rect.width() * scale), int(rect.height() * scale),
            QByteArray(qsizetype(rect.width() * scale) * int(rect.height() * scale), char(255)),
            scale};
    }
    std::optional<QRect> windowAreaAt(QPoint, const ScreenArea&) override { return window; }
    QList<QRect> rects;
    QList<qreal> scales;
    std::optional<QRect> window;
    bool fails = false;
    bool empty = false;
};

// What the recogniser was given and where it ran; shared with the test, which outlives it.
struct RecognizerLog {
    std::atomic<int> made{0};
    std::atomic<int> ended{0};
    std::atomic<int> reads{0};
    std::atomic<bool> onMainThread{false};
    QList<ScreenOCR::Line> lines;
    bool fails = false;
};

class FakeRecognizer : public TextRecognizer {
public:
    explicit FakeRecognizer(RecognizerLog& log) : m_log(log) { ++m_log.made; }
    ~FakeRecognizer() override { ++m_log.ended; }
    QList<ScreenOCR::Line> recognizeLines(const GrayImage&) override
    {
        ++m_log.reads;
        if (QThread::currentThread() == qApp->thread()) m_log.onMainThread = true;
        if (m_log.fails) throw RecognitionError("engine broke");
        return m_log.lines;
    }

private:
    RecognizerLog& m_log;
};

ScreenOCR::Line line(const QString& text, QRectF box)
{
    return {text, box, {{text, box}}};
}

class ScreenOCRTest : public ::testing::Test {
protected:
    QList<ScreenArea> screens{{QRect(0, 0, 1280, 800), 1.0}, {QRect(1280, 0, 1000, 700), 2.0}};
    FakeGrabber grabber;
    RecognizerLog log;
    RecognitionWorker worker{[this] { return std::make_unique<FakeRecognizer>(log); }};
    ScreenOCR ocr{[this] { return screens; }, grabber, worker};
};

TEST_F(ScreenOCRTest, FindsTheWordUnderThePointerAndReturnsItsBoxOnTheScreen)
{
    // The strip around (1680, 300) on the second screen is (1300, 200, 760, 200).
    log.lines = {line("left", QRectF(0.2, 0.4, 0.28, 0.2)),
                 line("middle", QRectF(0.5, 0.45, 0.25, 0.1))};
    const auto result = awaitTask(ocr.recognize({1680, 300}, true));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->word, "middle");
    // The recogniser read the strip with a blank border of 12 beyond each side.
    EXPECT_EQ(result->wordRect, QRectF(1680, 290, 196, 20));
    EXPECT_EQ(result->context, "left middle");
    // With a little beyond its sides, which cut through text.
    EXPECT_EQ(grabber.rects, QList<QRect>{QRect(1288, 200, 784, 200)});
    EXPECT_EQ(grabber.scales, QList<qreal>{2.0});
}

TEST_F(ScreenOCRTest, KeepsOneEngineOffTheMainThread)
{
    log.lines = {line("word", QRectF(0.4, 0.4, 0.2, 0.2))};
    worker.warmUp();
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(awaitTask(ocr.recognize({640, 400}, true)));
    EXPECT_EQ(log.made, 1);
    EXPECT_EQ(log.reads, 3);
    EXPECT_FALSE(log.onMainThread);
}

TEST_F(ScreenOCRTest, SoftFailuresGiveNothing)
{
    EXPECT_EQ(awaitTask(ocr.recognize({-50, 400}, true)), std::nullopt); // off every screen
    EXPECT_TRUE(grabber.rects.isEmpty());
    grabber.empty = true;
    EXPECT_EQ(awaitTask(ocr.recognize({640, 400}, true)), std::nullopt);
    EXPECT_EQ(awaitTask(ocr.recognizeText(QRect(10, 10, 100, 100))), std::nullopt);
    grabber.empty = false;
    log.lines = {};
    EXPECT_EQ(awaitTask(ocr.recognize({640, 400}, false)), std::nullopt);
    EXPECT_EQ(awaitTask(ocr.recognizeText(QRect(10, 10, 8, 100))), std::nullopt);
    EXPECT_EQ(log.reads, 1);
}

TEST_F(ScreenOCRTest, CaptureAndRecognitionErrorsReachTheCaller)
{
    grabber.fails = true;
    EXPECT_THROW(awaitTask(ocr.recognize({640, 400}, true)), ScreenCaptureError);
    EXPECT_THROW(awaitTask(ocr.recognizeText(QRect(10, 10, 100, 100))), ScreenCaptureError);
    grabber.fails = false;
    log.fails = true;
    EXPECT_THROW(awaitTask(ocr.recognize({640, 400}, true)), RecognitionError);
    EXPECT_THROW(awaitTask(ocr.recognizeText(QRect(10, 10, 100, 100))), RecognitionError);
}

TEST_F(ScreenOCRTest, RegionTextIsReadRowByRowAndEmptyWhenThereIsNone)
{
    EXPECT_EQ(awaitTask(ocr.recognizeText(QRect(10, 10, 100, 100))), QString());
    log.lines = {line("second row", QRectF(0.0, 0.2, 0.4, 0.1)),
                 line("right", QRectF(0.5, 0.61, 0.4, 0.1)),
                 line("left", QRectF(0.0, 0.6, 0.4, 0.1))};
    EXPECT_EQ(awaitTask(ocr.recognizeText(QRect(1200, 10, 200, 100))), "left right second row");
    // Clipped to the screen under the rectangle's middle.
    EXPECT_EQ(grabber.rects.back(), QRect(1280, 10, 120, 100));
}

TEST(RecognitionWorker, AnEngineThatCannotStartFailsEveryRequest)
{
    RecognitionWorker worker(
        []() -> std::unique_ptr<TextRecognizer> { throw RecognitionError("no language data"); });
    worker.warmUp();
    QFuture<QList<ScreenOCR::Line>> lines = worker.recognize(GrayImage{1, 1, QByteArray(1, 0)});
    EXPECT_THROW(lines.waitForFinished(), RecognitionError);
}

TEST_F(ScreenOCRTest, EnginesEndAfterARestAndStartAgainAtTheNextRead)
{
    RecognitionWorker engines([this] { return std::make_unique<FakeRecognizer>(log); }, 3);
    engines.setIdleRelease(std::chrono::milliseconds(1000), 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return log.made == 1; }));
    engines.warmUp();
    ASSERT_TRUE(QTest::qWaitFor([&] { return log.made == 3; }));
    for (int i = 0; i < 3; ++i) {
        QTest::qWait(400);
        engines.warmUp(); // still in use
    }
    EXPECT_EQ(log.ended, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return log.ended == 2; }, 5000));
    // The kept engine reads the first picture after the rest; none has to start for it.
    engines.recognize(GrayImage{1, 1, QByteArray(1, 0)}).waitForFinished();
    EXPECT_EQ(log.made, 3);
    engines.warmUp();
    ASSERT_TRUE(QTest::qWaitFor([&] { return log.made == 5; }));
}

} // namespace

TEST(ScreenOCRSlices, CutBetweenLinesAndPutTheirBoxesBack)
{
    // A grey page 70 rows high with lines on rows 2-5, 11-13, 30-33 and 60-63.
    GrayImage image{40, 70, QByteArray(40 * 70, char(128))};
    for (const int row : {2, 3, 4, 5, 11, 12, 13, 30, 31, 32, 33, 60, 61, 62, 63})
        image.pixels.replace(row * 40 + 10, 4, QByteArray(4, 0));
    using Slices = QList<ScreenOCR::Slice>;
    EXPECT_EQ(ScreenOCR::slices(image, 1), (Slices{{0, 70}}));
    EXPECT_EQ(ScreenOCR::slices(image, 2), (Slices{{0, 22}, {22, 48}}));
    EXPECT_EQ(ScreenOCR::slices(image, 3), (Slices{{0, 9}, {9, 13}, {22, 48}}));
    EXPECT_EQ(ScreenOCR::slices(image, 8), (Slices{{0, 9}, {9, 13}, {22, 25}, {47, 23}}));
    EXPECT_EQ(ScreenOCR::slices(image.rows(0, 9), 3), (Slices{{0, 9}}));

    // The whole of the slice at rows 9-21 is the band 48 to 61 rows above the bottom.
    const QRectF whole(0, 0, 1, 1);
    const QList<ScreenOCR::Line> lines =
        ScreenOCR::placed({line("word", whole)}, ScreenOCR::Slice{9, 13}, 70);
    EXPECT_EQ(lines, QList<ScreenOCR::Line>{line("word", QRectF(0, 48.0 / 70, 1, 13.0 / 70))});
}
