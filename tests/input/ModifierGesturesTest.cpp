#include "input/ModifierState.h"
#include "input/RegionKeyTaps.h"
#include "input/TriggerController.h"

#include <gtest/gtest.h>

#include <limits>

namespace glossivo {
namespace {

KeyEvent key(quint32 keycode, std::optional<ModifierKey> modifier)
{
    KeyEvent event;
    event.keycode = keycode;
    event.modifier = modifier;
    return event;
}

const KeyEvent leftShift = key(50, ModifierKey::shift);
const KeyEvent rightShift = key(62, ModifierKey::shift);
const KeyEvent alt = key(64, ModifierKey::option);
const KeyEvent letter = key(38, std::nullopt);

TEST(ModifierState, AKeyIsHeldAloneUntilAnotherModifierJoinsOrItIsReleased)
{
    ModifierState state;
    EXPECT_TRUE(state.none());
    EXPECT_FALSE(state.heldAlone(ModifierKey::shift));
    EXPECT_TRUE(state.press(leftShift));
    EXPECT_FALSE(state.press(leftShift)); // auto-repeat changes nothing
    EXPECT_FALSE(state.press(letter));
    EXPECT_TRUE(state.heldAlone(ModifierKey::shift));
    EXPECT_TRUE(state.press(rightShift));
    EXPECT_TRUE(state.release(leftShift));
    EXPECT_TRUE(state.heldAlone(ModifierKey::shift)) << "the right Shift is still down";
    EXPECT_TRUE(state.press(alt));
    EXPECT_FALSE(state.heldAlone(ModifierKey::shift));
    EXPECT_FALSE(state.heldAlone(ModifierKey::option));
    EXPECT_TRUE(state.release(rightShift));
    EXPECT_TRUE(state.heldAlone(ModifierKey::option));
    EXPECT_FALSE(state.release(leftShift)); // not held
    EXPECT_TRUE(state.release(alt));
    EXPECT_TRUE(state.none());
}

// One step of a modifier sequence: what is held after it, and its time.
struct Step {
    bool keyAlone;
    bool allReleased;
    qint64 time;
};

TEST(RegionKeyTaps, OpensOnTheSecondPressOfAQuickDoubleTap)
{
    const Step press{true, false, 0}, release{false, true, 0};
    const auto at = [](Step step, qint64 time) {
        step.time = time;
        return step;
    };
    struct {
        const char* name;
        QList<Step> steps;
        bool opens;
    } cases[] = {
        {"quick double tap", {at(press, 1000), at(release, 1100), at(press, 1300)}, true},
        {"first tap held 250 ms", {at(press, 1000), at(release, 1250), at(press, 1300)}, false},
        {"first tap held 249 ms", {at(press, 1000), at(release, 1249), at(press, 1300)}, true},
        {"second press 350 ms after", {at(press, 1000), at(release, 1100), at(press, 1450)}, false},
        {"second press 349 ms after", {at(press, 1000), at(release, 1100), at(press, 1449)}, true},
        {"another modifier joined the first tap",
         {at(press, 1000), Step{false, false, 1050}, at(release, 1100), at(press, 1200)},
         false},
        {"slow second press starts a new first tap",
         {at(press, 1000), at(release, 1100), at(press, 1500), at(release, 1600), at(press, 1700)},
         true},
        {"server clock wrapped between the taps",
         {at(press, 0xffffff00), at(release, 0xffffff40), at(press, 0x20)},
         true},
    };
    for (const auto& c : cases) {
        RegionKeyTaps taps;
        bool opened = false;
        for (int i = 0; i < c.steps.size(); ++i) {
            const bool now =
                taps.modifiersChanged(c.steps[i].keyAlone, c.steps[i].allReleased, c.steps[i].time);
            EXPECT_TRUE(!now || i == c.steps.size() - 1) << c.name << ": opened early";
            opened = opened || now;
        }
        EXPECT_EQ(opened, c.opens) << c.name;
    }
}

TEST(RegionKeyTaps, AClickOrKeyBetweenTheTapsCancelsAndATripleTapOpensOnce)
{
    RegionKeyTaps taps;
    taps.modifiersChanged(true, false, 0);
    taps.modifiersChanged(false, true, 100);
    taps.reset();
    EXPECT_FALSE(taps.modifiersChanged(true, false, 200));

    RegionKeyTaps triple;
    triple.modifiersChanged(true, false, 0);
    triple.modifiersChanged(false, true, 100);
    EXPECT_TRUE(triple.modifiersChanged(true, false, 200));
    EXPECT_FALSE(triple.modifiersChanged(false, true, 250));
    EXPECT_FALSE(triple.modifiersChanged(true, false, 300));
}

TEST(TriggerController, DwellWaitsTheConfiguredTimeClampedToThreeTenthsToThreeSeconds)
{
    using std::chrono::milliseconds;
    const struct {
        double seconds;
        milliseconds delay;
    } cases[] = {
        {1.0, milliseconds(1000)},
        {0.1, milliseconds(300)},
        {0.3, milliseconds(300)},
        {2.25, milliseconds(2250)},
        {7.0, milliseconds(3000)},
        {-1.0, milliseconds(300)},
        {std::numeric_limits<double>::infinity(), milliseconds(3000)},
        {std::numeric_limits<double>::quiet_NaN(), milliseconds(1000)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TriggerController::dwellDelay(c.seconds), c.delay) << c.seconds;
}

} // namespace
} // namespace glossivo
