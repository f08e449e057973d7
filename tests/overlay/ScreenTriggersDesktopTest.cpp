#include "Desktop.h"

#include "app/ScreenTriggers.h"
#include "input/OCRScreenText.h"
#include "input/ScreenContext.h"
#include "input/SelectionReader.h"
#include "input/TriggerController.h"
#include "input/views/RegionOverlay.h"
#include "input/views/RegionSelector.h"
#include "platform/ScreenInputBackends.h"
#include "platform/ScreenReading.h"
#include "platform/qt/QtScreens.h"
#include "platform/x11/X11PermissionProbe.h"
#include "support/FakeScreenInput.h"

#include <QFontMetrics>
#include <QLabel>
#include <QSignalSpy>

using namespace glossivo;
using namespace glossivo::testing;

namespace {

void moveTo(QPoint p)
{
    xdotool({"mousemove", QString::number(p.x()), QString::number(p.y())});
}

// The four triggers on the real desktop, with the real recogniser and overlay, and a card
// that records what reaches it.
struct Triggers {
    ScreenInputBackends desktop;
    SelectionReader reader{desktop.accessibility, desktop.buffers, desktop.clipboard,
                           desktop.windows};
    ScreenReading reading;
    OCRScreenText screen{reading.ocr(), [] { return true; }};
    ScreenContext context{screen};
    RegionSelector regions{[](const QRect&) { return QPixmap(); }};
    FakeCard card;
    AppConfig config;
    TriggerController controller{TriggerController::Services{
        desktop.input, desktop.windows, reader, card, [this] { return config; }, isOwnWindow,
        &context, &screen, &regions, &QtScreens::inContentArea}};
    QSignalSpy hovers{&controller, &TriggerController::hoverHandled};
    QSignalSpy dwells{&controller, &TriggerController::dwellHandled};
    QSignalSpy regionsRead{&controller, &TriggerController::regionHandled};
};

class ScreenTriggersDesktop : public ::testing::Test {
protected:
    void SetUp() override
    {
        SKIP_WITHOUT_DESKTOP();
        triggers = std::make_unique<Triggers>();
        triggers->config.dwellLookup = false;
        moveTo(QPoint(5, 5));
        ASSERT_TRUE(triggers->controller.start());
    }
    void TearDown() override
    {
        if (triggers) triggers->controller.stop();
    }

    std::unique_ptr<Triggers> triggers;
};

TEST_F(ScreenTriggersDesktop, HoverKeyDownLooksUpTheWordUnderTheRestingPointer)
{
    const TextWindow window(kWindowAt, kPixelSize, kText);
    const QPoint pointer = middleOf(QStringLiteral("results"));
    moveTo(pointer);
    QTest::qWait(300);
    xdotool({"keydown", "alt"});
    const bool handled = triggers->hovers.wait(15000);
    xdotool({"keyup", "alt"});
    ASSERT_TRUE(handled);
    ASSERT_EQ(triggers->card.lookups.size(), 1);
    EXPECT_EQ(triggers->card.lookups[0].word, QStringLiteral("results"));
    EXPECT_EQ(triggers->card.lookups[0].context, kText);
    EXPECT_EQ(triggers->card.lookups[0].at, pointer);
}

TEST_F(ScreenTriggersDesktop, DwellFiresOncePerRestAndNeverWhileThePointerMoves)
{
    const TextWindow window(kWindowAt, kPixelSize, kText);
    triggers->config.dwellLookup = true;
    triggers->config.dwellSeconds = 1.0;
    const QPoint pointer = middleOf(QStringLiteral("exceeded"));
    // Two seconds of a pointer that never rests a second.
    for (int i = 0; i < 10; ++i) {
        moveTo(pointer + QPoint((i % 2) * 3, 0));
        QTest::qWait(200);
    }
    EXPECT_EQ(triggers->dwells.count(), 0);
    EXPECT_TRUE(triggers->card.lookups.isEmpty());

    // At rest (the last move put it at the pointer itself).
    moveTo(pointer);
    ASSERT_TRUE(triggers->dwells.wait(15000));
    ASSERT_EQ(triggers->card.lookups.size(), 1);
    EXPECT_EQ(triggers->card.lookups[0].word, QStringLiteral("exceeded"));
    EXPECT_EQ(triggers->card.lookups[0].at, pointer);
    EXPECT_FALSE(triggers->dwells.wait(2000));
    EXPECT_EQ(triggers->card.lookups.size(), 1);
}

TEST_F(ScreenTriggersDesktop, RegionKeyDoubleTapAndDragTranslatesTheRectanglesText)
{
    const TextWindow window(kWindowAt, kPixelSize, kText);
    moveTo(kWindowAt + QPoint(5, 5));
    xdotool({"key", "--delay", "120", "ctrl", "ctrl"});
    ASSERT_TRUE(QTest::qWaitFor([this] { return triggers->regions.isShowing(); }, 3000));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(triggers->regions.overlay()));
    QTest::qWait(200);
    xdotool({"mousemove", QString::number(kWindowAt.x() + 5), QString::number(kWindowAt.y() + 5),
             "mousedown", "1", "mousemove", QString::number(kWindowAt.x() + 700),
             QString::number(kWindowAt.y() + 70), "mouseup", "1"});
    ASSERT_TRUE(triggers->regionsRead.wait(15000));
    ASSERT_EQ(triggers->card.translations.size(), 1);
    EXPECT_EQ(triggers->card.translations[0].first, kText);
    EXPECT_EQ(triggers->card.translations[0].second, kWindowAt + QPoint(5 + 24, 70));
    EXPECT_TRUE(triggers->card.errors.isEmpty());
}

TEST_F(ScreenTriggersDesktop, OurOwnWindowsAreNeverRead)
{
    QLabel own(QStringLiteral("Confidential memo"));
    own.setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(kPixelSize);
    own.setFont(font);
    own.setMargin(24);
    own.setStyleSheet(QStringLiteral("background: white; color: black;"));
    own.move(kWindowAt);
    own.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&own));
    QTest::qWait(300);
    triggers->config.dwellLookup = true;
    triggers->config.dwellSeconds = 0.3;
    const QPoint onMemo = own.mapToGlobal(own.rect().center()) + QPoint(60, 0);
    moveTo(onMemo);
    ASSERT_TRUE(triggers->dwells.wait(15000));
    xdotool({"keydown", "alt"});
    const bool hovered = triggers->hovers.wait(15000);
    xdotool({"keyup", "alt"});
    EXPECT_TRUE(hovered);
    EXPECT_TRUE(triggers->card.lookups.isEmpty());
}

// The objects the tray application builds, started as it starts them.
TEST(ScreenTriggersAssembled, LookUpTheWordUnderTheHoverKey)
{
    SKIP_WITHOUT_DESKTOP();
    const TextWindow window(kWindowAt, kPixelSize, kText);
    X11PermissionProbe permissions;
    FakeCard card;
    AppConfig config;
    config.dwellLookup = false;
    ScreenTriggers triggers(
        card, [&config] { return config; }, permissions);
    ASSERT_TRUE(triggers.start());
    QSignalSpy hovers(&triggers.controller(), &TriggerController::hoverHandled);
    const QPoint pointer = middleOf(QStringLiteral("expectations"));
    moveTo(pointer);
    QTest::qWait(300);
    xdotool({"keydown", "alt"});
    const bool handled = hovers.wait(15000);
    xdotool({"keyup", "alt"});
    ASSERT_TRUE(handled);
    ASSERT_EQ(card.lookups.size(), 1);
    EXPECT_EQ(card.lookups[0].word, QStringLiteral("expectations"));
    triggers.stop();
}

} // namespace
