#include "input/DevicePixels.h"
#include "card/CardPlacement.h"
#include "input/CaptureGeometry.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace glossivo;

namespace {

// A laptop screen at 100 % and, right of it, a monitor at the ratio under test. Qt keeps the
// monitor's corner at its device pixel (2560, 0) and divides only its size.
class AtEveryRatio : public ::testing::TestWithParam<qreal> {
protected:
    const qreal r = GetParam();
    const ScreenArea laptop{QRect(0, 0, 2560, 1600), 1.0};
    const ScreenArea monitor{QRect(2560, 0, int(3840 / r), int(2160 / r)), r};
    const QList<ScreenArea> screens{laptop, monitor};
};

TEST_P(AtEveryRatio, DevicePointsLandOnTheirScreenAndComeBack)
{
    EXPECT_EQ(DevicePixels::toLogical(screens, QPoint(2559, 10)), QPoint(2559, 10));
    EXPECT_EQ(DevicePixels::toLogical(screens, QPoint(2560 + 1500, 900)),
              QPoint(2560 + qRound(1500 / r), qRound(900 / r)));
    for (const QPoint device : {QPoint(2560, 0), QPoint(2561, 1), QPoint(6399, 2159)}) {
        const QPoint back =
            DevicePixels::toDevice(monitor, DevicePixels::toLogical(monitor, device));
        EXPECT_LE((back - device).manhattanLength(), 2 * std::ceil(r / 2)) << device.x();
    }
    // A window's area, read from X, keeps its edges to the nearest logical pixel.
    EXPECT_EQ(DevicePixels::toLogical(monitor, QRect(2560 + 300, 150, 900, 600)),
              QRect(2560 + qRound(300 / r), qRound(150 / r), qRound(900 / r), qRound(600 / r)));
}

TEST_P(AtEveryRatio, TheStripGrabsItsDevicePixelsAndTheWordAndTheCardStayWithTheWord)
{
    // A word of 20-point type, its ink in device pixels, the pointer in its middle.
    const QRect word(4000, 1000, int(120 * r), int(26 * r));
    const QPoint pointer = DevicePixels::toLogical(screens, word.center());
    const auto strip = CaptureGeometry::stripAround(screens, pointer);
    ASSERT_TRUE(strip);
    const QRect grab = DevicePixels::toDevice(strip->screen, strip->global());
    EXPECT_EQ(grab.size(), QSize(int(760 * r), int(200 * r)));
    ASSERT_TRUE(grab.contains(word));

    // The word as the recogniser boxes it in the picture: normalized, y up.
    const QRectF box(double(word.x() - grab.x()) / grab.width(),
                     double(grab.y() + grab.height() - word.y() - word.height()) / grab.height(),
                     double(word.width()) / grab.width(), double(word.height()) / grab.height());
    EXPECT_TRUE(box.contains(CaptureGeometry::normalized(*strip, pointer)));
    const QRectF found = CaptureGeometry::toGlobal(*strip, box);
    const QRect back = DevicePixels::toDevice(monitor, found.toAlignedRect());
    EXPECT_LE(std::abs(back.left() - word.left()) + std::abs(back.top() - word.top()), 2 * r);

    // The card's top edge lies 18 logical pixels below the pointer: just under the word.
    const QRect card = CardPlacement::place(pointer, QSize(340, 200), monitor.frame);
    const int top = DevicePixels::toDevice(monitor, card.topLeft()).y();
    EXPECT_NEAR(top, word.center().y() + 18 * r, r);
    EXPECT_GT(top, word.bottom());
}

TEST_P(AtEveryRatio, ADraggedRectangleGrabsItsDevicePixels)
{
    const auto region = CaptureGeometry::region(screens, QRect(2600, 100, 400, 60));
    ASSERT_TRUE(region);
    EXPECT_EQ(
        DevicePixels::toDevice(region->screen, region->global()),
        QRect(2560 + int(std::floor(40 * r)), int(std::floor(100 * r)), int(400 * r), int(60 * r)));
}

INSTANTIATE_TEST_SUITE_P(Ratios, AtEveryRatio, ::testing::Values(1.0, 1.5, 2.0),
                         [](const auto& info) {
                             return "x" + std::to_string(int(info.param * 10));
                         });

} // namespace
