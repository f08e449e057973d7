#include "Desktop.h"

#include "input/views/RegionOverlay.h"
#include "input/views/RegionSelector.h"
#include "platform/ScreenReading.h"
#include "platform/qt/QtScreens.h"
#include "support/AwaitTask.h"

#include <QCursor>
#include <QFontMetrics>
#include <QLabel>

using namespace glossivo;
using namespace glossivo::testing;

namespace {

class ScreenReadingDesktop : public ::testing::Test {
protected:
    void SetUp() override { SKIP_WITHOUT_DESKTOP(); }

    QString readText(const QRect& rect)
    {
        const auto text = awaitTask(ocr.recognizeText(rect));
        return text.value_or(QStringLiteral("(nothing)"));
    }

    ScreenReading reading;
    ScreenOCR& ocr = reading.ocr();
    X11ScreenGrabber grabber{&QtScreens::ownWindowFrames};
    const ScreenArea screen{QRect(0, 0, 1280, 800), 1.0};
};

TEST_F(ScreenReadingDesktop, ReadsAnotherProgramsWindow)
{
    const TextWindow window(kWindowAt, kPixelSize, kText);
    EXPECT_EQ(readText(QRect(kWindowAt, QSize(700, 80))), kText);
}

TEST_F(ScreenReadingDesktop, FindsTheWordUnderThePointerWithItsScreenRectangle)
{
    const TextWindow window(kWindowAt, kPixelSize, kText);
    const QPoint pointer = middleOf("exceeded");
    xdotool({"mousemove", QString::number(pointer.x()), QString::number(pointer.y())});
    const auto result = awaitTask(ocr.recognize(pointer, true));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->word, "exceeded");
    EXPECT_EQ(result->context, kText);
    ASSERT_TRUE(result->wordRect);
    EXPECT_TRUE(result->wordRect->adjusted(-2, -2, 2, 2).contains(pointer));
    EXPECT_LT(result->wordRect->width(), 160);
}

TEST_F(ScreenReadingDesktop, LeavesOurOwnWindowsOut)
{
    const TextWindow window(kWindowAt, kPixelSize, kText);
    QLabel own(QStringLiteral("Confidential memo"));
    own.setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(kPixelSize);
    own.setFont(font);
    own.setMargin(12);
    own.setStyleSheet(QStringLiteral("background: white; color: black;"));
    own.move(kWindowAt + QPoint(0, 120));
    own.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&own));
    QTest::qWait(300);
    const QString read = readText(QRect(kWindowAt, QSize(700, 220)));
    EXPECT_EQ(read, kText);
    EXPECT_FALSE(read.contains("memo"));
}

TEST_F(ScreenReadingDesktop, TheCursorIsNotInThePicture)
{
    const TextWindow window(kWindowAt, kPixelSize, kText);
    // A blank stretch of the window's margin, under its text.
    xdotool(
        {"mousemove", QString::number(kWindowAt.x() + 40), QString::number(kWindowAt.y() + 66)});
    QTest::qWait(200);
    const auto picture = grabber.capture(QRect(kWindowAt + QPoint(20, 58), QSize(40, 14)), screen);
    ASSERT_TRUE(picture);
    for (char pixel : picture->pixels)
        ASSERT_EQ(uchar(pixel), 255);
}

TEST_F(ScreenReadingDesktop, AScreenEdgeNeverReachesTheServer)
{
    // Reaching past the root window would be a protocol error, which ends the program.
    const auto picture = grabber.capture(QRect(1200, 700, 200, 200), screen);
    ASSERT_TRUE(picture);
    EXPECT_EQ(QSize(picture->width, picture->height), QSize(80, 100));
    EXPECT_EQ(grabber.capture(QRect(5000, 5000, 10, 10), screen), std::nullopt);
}

TEST_F(ScreenReadingDesktop, ADraggedRectangleIsReadOnceTheOverlayHasGone)
{
    const TextWindow window(kWindowAt, kPixelSize, kText);
    // Without a backdrop and without a compositor the overlay paints the screen dark: a
    // picture taken while any of it remains holds no text.
    RegionSelector selector([](const QRect&) { return QPixmap(); });
    std::optional<QString> read;
    selector.begin([this, &read](QRect rect) {
        [](ScreenOCR& ocr, QRect rect, std::optional<QString>& read) -> QCoro::Task<> {
            read = (co_await ocr.recognizeText(rect)).value_or("(nothing)");
        }(ocr, rect, read);
    });
    ASSERT_TRUE(QTest::qWaitForWindowExposed(selector.overlay()));
    QTest::qWait(200);
    xdotool({"mousemove", QString::number(kWindowAt.x() + 5), QString::number(kWindowAt.y() + 5),
             "mousedown", "1", "mousemove", QString::number(kWindowAt.x() + 700),
             QString::number(kWindowAt.y() + 70), "mouseup", "1"});
    EXPECT_TRUE(QTest::qWaitFor([&read] { return read.has_value(); }, 10000));
    EXPECT_EQ(read, kText);
}

} // namespace
