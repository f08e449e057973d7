#include "DesktopHelpers.h"

#include "platform/x11/XInputEventSource.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace glossivo {
namespace {

class XInputEventSourceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!testing::desktopAvailable()) GTEST_SKIP() << "needs the test desktop";
        ASSERT_TRUE(source.start());
    }

    XInputEventSource source;
};

TEST_F(XInputEventSourceTest, KeysCarryTheirModifierInTheConfigurationsNames)
{
    const struct {
        const char* key;
        std::optional<ModifierKey> modifier;
        bool escape;
    } cases[] = {
        {"Alt_L", ModifierKey::option, false},
        {"Super_L", ModifierKey::command, false},
        {"Control_L", ModifierKey::control, false},
        {"Shift_L", ModifierKey::shift, false},
        {"Escape", std::nullopt, true},
        {"a", std::nullopt, false},
    };
    for (const auto& c : cases) {
        QSignalSpy pressed(&source, &GlobalInput::keyPressed);
        QSignalSpy released(&source, &GlobalInput::keyReleased);
        testing::xdotool({QStringLiteral("key"), QString::fromLatin1(c.key)});
        ASSERT_TRUE(released.count() > 0 || released.wait(2000)) << c.key;
        ASSERT_GE(pressed.count(), 1) << c.key;
        const auto event = pressed.at(0).at(0).value<KeyEvent>();
        EXPECT_EQ(event.modifier, c.modifier) << c.key;
        EXPECT_EQ(event.escape, c.escape) << c.key;
    }
}

TEST_F(XInputEventSourceTest, ButtonsCarryThePointerAndWheelTurnsAreScrolls)
{
    QSignalSpy pressed(&source, &GlobalInput::buttonPressed);
    QSignalSpy released(&source, &GlobalInput::buttonReleased);
    QSignalSpy scrolled(&source, &GlobalInput::scrolled);
    QSignalSpy moved(&source, &GlobalInput::pointerMoved);
    // A warp (xdotool's mousemove) is no motion of the device; the relative move is.
    testing::xdotool({QStringLiteral("mousemove"), QStringLiteral("300"), QStringLiteral("310"),
                      QStringLiteral("mousemove_relative"), QStringLiteral("1"),
                      QStringLiteral("0"), QStringLiteral("click"), QStringLiteral("3"),
                      QStringLiteral("click"), QStringLiteral("5")});
    ASSERT_TRUE(scrolled.count() > 0 || scrolled.wait(2000));
    EXPECT_TRUE(moved.count() > 0);
    ASSERT_EQ(pressed.count(), 1);
    ASSERT_EQ(released.count(), 1);
    const auto press = pressed.at(0).at(0).value<PointerEvent>();
    EXPECT_EQ(press.button, 3);
    EXPECT_EQ(press.position, QPoint(301, 310));
    EXPECT_EQ(scrolled.count(), 1);
    EXPECT_EQ(scrolled.at(0).at(0).value<PointerEvent>().button, 5);
}

TEST_F(XInputEventSourceTest, StoppedSourceIsSilent)
{
    source.stop();
    QSignalSpy pressed(&source, &GlobalInput::keyPressed);
    testing::xdotool({QStringLiteral("key"), QStringLiteral("a")});
    EXPECT_FALSE(pressed.wait(300));
    EXPECT_TRUE(source.start());
    testing::xdotool({QStringLiteral("key"), QStringLiteral("a")});
    EXPECT_TRUE(pressed.count() > 0 || pressed.wait(2000));
}

} // namespace
} // namespace glossivo
