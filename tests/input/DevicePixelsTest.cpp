#include "input/DevicePixels.h"
#include "card/CardPlacement.h"
#include "input/CaptureGeometry.h"

#include <gtest/gtest.h>

using namespace glossivo;

namespace {

// A laptop screen at 100 % and, right of it, a monitor at the ratio under test, whose corner Qt
// keeps at its device pixel (2560, 0). A word of 20-point type on the monitor, in device pixels
// as X reports the pointer and the recogniser boxes it, goes through the strip and comes back
// where it was, and the card opens just below it.
class AtEveryRatio : public ::testing::TestWithParam<qreal> {};

TEST_P(AtEveryRatio, ThePointerTheStripTheWordAndTheCardMeetOnTheWord)
{
    const qreal r = GetParam();
    const ScreenArea monitor{QRect(2560, 0, int(3840 / r), int(2160 / r)), r};
    const QList<ScreenArea> screens{{QRect(0, 0, 2560, 1600), 1.0}, monitor};
    EXPECT_EQ(DevicePixels::toLogical(screens, QPoint(2559, 10)), QPoint(2559, 10));
    // Near the monitor's right side: beyond its logical width, still on it.
    EXPECT_EQ(DevicePixels::toLogical(screens, QPoint(6300, 0)),
              QPoint(2560 + qRound(3740 / r), 0));

    const QRect word(4000, 1000, int(120 * r), int(26 * r));
    const QPoint pointer = DevicePixels::toLogical(screens, word.center());
    const auto strip = CaptureGeometry::stripAround(screens, pointer);
    ASSERT_TRUE(strip);
    const QRect grab = DevicePixels::toDevice(strip->screen, strip->global());
    EXPECT_EQ(grab.size(), QSize(int(760 * r), int(200 * r)));
    const QRectF box(double(word.x() - grab.x()) / grab.width(),
                     double(grab.y() + grab.height() - word.y() - word.height()) / grab.height(),
                     double(word.width()) / grab.width(), double(word.height()) / grab.height());
    EXPECT_TRUE(box.contains(CaptureGeometry::normalized(*strip, pointer)));
    const QPoint back =
        DevicePixels::toDevice(monitor, CaptureGeometry::toGlobal(*strip, box).topLeft().toPoint());
    EXPECT_LE((back - word.topLeft()).manhattanLength(), 2 * r);

    const QRect card = CardPlacement::place(pointer, QSize(340, 200), monitor.frame);
    const int top = DevicePixels::toDevice(monitor, card.topLeft()).y();
    EXPECT_NEAR(top, word.center().y() + 18 * r, r);
    EXPECT_GT(top, word.bottom());
}

INSTANTIATE_TEST_SUITE_P(Ratios, AtEveryRatio, ::testing::Values(1.0, 1.5, 2.0));

} // namespace
