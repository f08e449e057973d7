#include "input/TriggerController.h"

#include "input/RegionChooser.h"
#include "input/ScreenContext.h"
#include "input/ScreenText.h"
#include "input/SelectionReader.h"
#include "support/AwaitTask.h"
#include "support/FakeScreenInput.h"

#include <QCoro/QCoroTimer>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>

namespace glossivo {
namespace {

using std::chrono::milliseconds;

constexpr quint64 otherApp = 100;
constexpr quint64 ownWindow = 200;
const QPoint onWord(300, 200);
const QRectF wordRect(280, 190, 60, 20);

// The screen holds one word, "exceeded", at wordRect; everywhere else there is nothing.
class FakeScreenText : public ScreenText {
public:
    bool allowed = true;
    QString word = QStringLiteral("exceeded");
    milliseconds delay{0};
    std::optional<QString> failure;
    std::optional<QString> regionText = QStringLiteral("Quarterly results exceeded");
    QList<std::pair<QPoint, bool>> asked;
    QList<QRect> regions;

    bool captureAllowed() const override { return allowed; }
    QCoro::Task<std::optional<ScreenOCR::Result>> recognize(QPoint point, bool findWord) override
    {
        asked.append({point, findWord});
        if (delay.count() > 0) co_await QCoro::sleepFor(delay);
        if (failure) throw std::runtime_error(failure->toStdString());
        if (!wordRect.adjusted(-10, -10, 10, 10).contains(QPointF(point))) co_return std::nullopt;
        ScreenOCR::Result result{std::nullopt, QStringLiteral("Quarterly results exceeded"),
                                 std::nullopt};
        if (findWord) {
            result.word = word;
            result.wordRect = wordRect;
        }
        co_return result;
    }
    QCoro::Task<std::optional<ScreenOCR::Result>>
    recognizeSelection(ScreenOCR::Selection selection) override
    {
        return recognize(selection.to, false);
    }
    QCoro::Task<std::optional<QString>> recognizeText(QRect rect) override
    {
        regions.append(rect);
        if (failure) throw std::runtime_error(failure->toStdString());
        co_return regionText;
    }
};

class FakeRegions : public RegionChooser {
public:
    QList<OnSelect> opened;
    void begin(OnSelect onSelect) override { opened.append(std::move(onSelect)); }
    bool isShowing() const override { return false; }
};

class ScreenTriggersTest : public ::testing::Test {
public:
    ScreenTriggersTest()
    {
        windows.active = WindowInfo{otherApp, QStringLiteral("Reader"), QStringLiteral("doc"), 5};
        windows.pointerAt = QPoint(10, 10);
        config.dwellLookup = false;
        controller.setPointerPollIntervals(milliseconds(20), milliseconds(20));
        controller.start();
    }

    KeyEvent modifierKey(quint32 keycode, ModifierKey modifier)
    {
        KeyEvent event;
        event.keycode = keycode;
        event.modifier = modifier;
        event.focusWindow = otherApp;
        event.timeMs = time;
        return event;
    }
    void keyDown(KeyEvent event)
    {
        event.timeMs = time;
        Q_EMIT input.keyPressed(event);
    }
    void keyUp(KeyEvent event)
    {
        event.timeMs = time;
        Q_EMIT input.keyReleased(event);
    }
    void typeLetter()
    {
        KeyEvent event;
        event.keycode = 38;
        event.keysym = 'a';
        event.focusWindow = otherApp;
        keyDown(event);
        keyUp(event);
    }
    void tap(const KeyEvent& key)
    {
        time += 100;
        keyDown(key);
        time += 100;
        keyUp(key);
    }
    void moveTo(QPoint p)
    {
        windows.pointerAt = p;
        Q_EMIT input.pointerMoved(p);
    }
    // Whether the signal comes within a generous wait (or has come).
    static bool arrives(QSignalSpy& spy, int ms = 1500) { return spy.count() > 0 || spy.wait(ms); }

    const KeyEvent alt = modifierKey(64, ModifierKey::option);
    const KeyEvent control = modifierKey(37, ModifierKey::control);
    testing::FakeInput input;
    testing::FakeWindows windows;
    testing::FakeAccessibility accessibility;
    testing::FakeBuffers buffers;
    testing::FakeClipboard clipboard;
    testing::FakeCard card;
    FakeScreenText screen;
    ScreenContext context{screen};
    FakeRegions regions;
    AppConfig config;
    bool contentArea = true;
    qint64 clockMs = 100000;
    SelectionReader reader{accessibility, buffers, clipboard, windows};
    TriggerController controller{TriggerController::Services{
        input, windows, reader, card, [this] { return config; },
        [](quint64 id) { return id == ownWindow; }, &context, &screen, &regions,
        [this](QPoint) { return contentArea; }, [this] { return clockMs; }}};
    QSignalSpy hovers{&controller, &TriggerController::hoverHandled};
    QSignalSpy dwells{&controller, &TriggerController::dwellHandled};
    QSignalSpy regionsRead{&controller, &TriggerController::regionHandled};
    qint64 time = 1000;
};

TEST_F(ScreenTriggersTest, HoverKeyHeldAloneLooksUpTheWordUnderTheRestingPointer)
{
    windows.pointerAt = onWord;
    keyDown(alt);
    ASSERT_TRUE(arrives(hovers));
    ASSERT_EQ(card.lookups.size(), 1);
    EXPECT_EQ(card.lookups[0].word, QStringLiteral("exceeded"));
    EXPECT_EQ(card.lookups[0].context, QStringLiteral("Quarterly results exceeded"));
    EXPECT_EQ(card.lookups[0].at, onWord);
    EXPECT_EQ(screen.asked, (QList<std::pair<QPoint, bool>>{{onWord, true}}));
}

TEST_F(ScreenTriggersTest, HoverDoesNothingWhereItMustNot)
{
    struct {
        const char* name;
        std::function<void(ScreenTriggersTest&)> setUp;
    } cases[] = {
        {"with another modifier", [](auto& t) { t.keyDown(t.control); }},
        {"hover lookup switched off", [](auto& t) { t.config.optionHoverOCR = false; }},
        {"hover key is another one", [](auto& t) { t.config.hoverKey = ModifierKey::shift; }},
        {"excluded application",
         [](auto& t) { t.config.excludedBundleIDs = {QStringLiteral("Reader")}; }},
        {"own window in front", [](auto& t) { t.windows.active->id = ownWindow; }},
        {"pointer on the card", [](auto& t) { t.card.shown = QRect(290, 195, 100, 100); }},
        {"nothing under the pointer", [](auto& t) { t.windows.pointerAt = QPoint(900, 900); }},
    };
    for (const auto& c : cases) {
        const AppConfig saved = config;
        const WindowInfo active = *windows.active;
        windows.pointerAt = onWord;
        c.setUp(*this);
        keyDown(alt);
        QTest::qWait(400);
        keyUp(alt);
        keyUp(control);
        EXPECT_TRUE(card.lookups.isEmpty()) << c.name;
        EXPECT_TRUE(card.errors.isEmpty()) << c.name;
        config = saved;
        windows.active = active;
        card.shown.reset();
    }
}

TEST_F(ScreenTriggersTest, HoverFailuresShowTheirErrorCards)
{
    windows.pointerAt = onWord;
    screen.allowed = false;
    keyDown(alt);
    QTest::qWait(400);
    keyUp(alt);
    ASSERT_EQ(card.errors.size(), 1);
    EXPECT_EQ(card.errors[0].message,
              QStringLiteral("识别屏幕文字需要「屏幕录制」权限，请在设置里打开。"));
    EXPECT_TRUE(card.errors[0].needsSettings);
    EXPECT_EQ(card.errors[0].at, onWord);
    EXPECT_TRUE(screen.asked.isEmpty());

    screen.allowed = true;
    screen.failure = QStringLiteral("no screen");
    keyDown(alt);
    ASSERT_TRUE(arrives(hovers));
    ASSERT_EQ(card.errors.size(), 2);
    EXPECT_EQ(card.errors[1].message, QStringLiteral("截取屏幕失败。\nno screen"));
    EXPECT_FALSE(card.errors[1].needsSettings);
    EXPECT_TRUE(card.lookups.isEmpty());
}

TEST_F(ScreenTriggersTest, ReleasingOrTypingBeforeTheResultShowsNoCard)
{
    windows.pointerAt = onWord;
    screen.delay = milliseconds(300);
    const auto recognizing = [this](int count) {
        return QTest::qWaitFor([this, count] { return screen.asked.size() == count; }, 2000);
    };
    keyDown(alt);
    ASSERT_TRUE(recognizing(1));
    keyUp(alt);
    ASSERT_TRUE(arrives(hovers));
    EXPECT_TRUE(card.lookups.isEmpty());

    // Released and held again during the recognition: the first hold's result is stale.
    hovers.clear();
    keyDown(alt);
    ASSERT_TRUE(recognizing(2));
    keyUp(alt);
    keyDown(alt);
    ASSERT_TRUE(arrives(hovers));
    EXPECT_TRUE(card.lookups.isEmpty());
    ASSERT_TRUE(hovers.wait(2000));
    EXPECT_EQ(card.lookups.size(), 1) << "the second hold still looks up";
    keyUp(alt);

    // A key typed while holding the hover key makes a shortcut.
    card.lookups.clear();
    hovers.clear();
    screen.delay = milliseconds(0);
    keyDown(alt);
    typeLetter();
    EXPECT_FALSE(hovers.wait(500));
    EXPECT_TRUE(card.lookups.isEmpty());
}

TEST_F(ScreenTriggersTest, StoppedTriggersLookNothingUpThatWasPending)
{
    config.dwellLookup = true;
    config.dwellSeconds = 0.3;
    windows.pointerAt = onWord;
    moveTo(onWord);
    keyDown(alt);
    controller.stop();
    QTest::qWait(500);
    EXPECT_TRUE(screen.asked.isEmpty());
    EXPECT_TRUE(card.lookups.isEmpty());
}

TEST_F(ScreenTriggersTest, HoverFollowsThePointerToAnotherWordButNotWithinTheSameWord)
{
    windows.pointerAt = onWord;
    keyDown(alt);
    ASSERT_TRUE(arrives(hovers));
    ASSERT_EQ(card.lookups.size(), 1);
    card.shown.reset(); // the card opens elsewhere

    hovers.clear();
    moveTo(onWord + QPoint(10, 2)); // still on the word
    EXPECT_FALSE(hovers.wait(500));
    EXPECT_EQ(screen.asked.size(), 1);

    // Onto another word: the strip is read again 0.2 s after the pointer stops.
    screen.asked.clear();
    moveTo(onWord + QPoint(-25, 0));
    QTest::qWait(50);
    EXPECT_TRUE(screen.asked.isEmpty());
    moveTo(onWord + QPoint(-26, 0));
    QTest::qWait(350);
    EXPECT_EQ(screen.asked, (QList<std::pair<QPoint, bool>>{{onWord + QPoint(-26, 0), true}}));
}

TEST_F(ScreenTriggersTest, DwellLooksUpOncePerRestAndNeverWhileThePointerMoves)
{
    config.dwellLookup = true;
    config.dwellSeconds = 0.6;
    // Moving every 100 ms for a second: no rest, no lookup.
    for (int i = 0; i < 10; ++i) {
        moveTo(onWord + QPoint(i % 2, 0));
        QTest::qWait(100);
    }
    EXPECT_EQ(dwells.count(), 0);
    EXPECT_TRUE(screen.asked.isEmpty());

    ASSERT_TRUE(arrives(dwells));
    ASSERT_EQ(card.lookups.size(), 1);
    EXPECT_EQ(card.lookups[0].word, QStringLiteral("exceeded"));
    EXPECT_EQ(card.lookups[0].at, onWord + QPoint(1, 0));
    // Resting on: nothing more.
    EXPECT_FALSE(dwells.wait(800));
    EXPECT_EQ(screen.asked.size(), 1);
}

TEST_F(ScreenTriggersTest, DwellFollowsAPointerMovedWithoutMotionEvents)
{
    config.dwellLookup = true;
    config.dwellSeconds = 0.3;
    // A warped pointer sends no motion: only its position tells.
    windows.pointerAt = onWord;
    ASSERT_TRUE(arrives(dwells));
    EXPECT_EQ(card.lookups.size(), 1);
}

TEST_F(ScreenTriggersTest, DwellAfterADragWaitsForANewMove)
{
    config.dwellLookup = true;
    config.dwellSeconds = 0.3;
    Q_EMIT input.buttonPressed(PointerEvent{3, onWord - QPoint(40, 0), otherApp, 5});
    moveTo(onWord);
    Q_EMIT input.buttonReleased(PointerEvent{3, onWord, otherApp, 6});
    EXPECT_FALSE(dwells.wait(600));
    moveTo(onWord + QPoint(1, 0));
    ASSERT_TRUE(arrives(dwells));
    EXPECT_EQ(card.lookups.size(), 1);
}

TEST_F(ScreenTriggersTest, DwellStaysSilentWhereItMustNot)
{
    struct {
        const char* name;
        std::function<void(ScreenTriggersTest&)> setUp;
    } cases[] = {
        {"switched off", [](auto& t) { t.config.dwellLookup = false; }},
        {"key typed a second ago",
         [](auto& t) {
             t.typeLetter();
             t.clockMs += 1000;
         }},
        {"modifier held", [](auto& t) { t.keyDown(t.control); }},
        {"button held",
         [](auto& t) {
             Q_EMIT t.input.buttonPressed(PointerEvent{3, onWord, otherApp, 5});
         }},
        {"excluded application",
         [](auto& t) { t.config.excludedBundleIDs = {QStringLiteral("Reader")}; }},
        {"outside the content area", [](auto& t) { t.contentArea = false; }},
        {"no screen-recording permission", [](auto& t) { t.screen.allowed = false; }},
        {"another trigger's card on screen",
         [](auto& t) { t.card.offerTranslation(QStringLiteral("text"), QPoint()); }},
        {"word of one letter", [](auto& t) { t.screen.word = QStringLiteral("a"); }},
    };
    config.dwellSeconds = 0.3;
    for (const auto& c : cases) {
        const AppConfig saved = config;
        config.dwellLookup = true;
        c.setUp(*this);
        moveTo(onWord + QPoint(0, dwells.count() % 2));
        QTest::qWait(500);
        keyUp(control);
        Q_EMIT input.buttonReleased(PointerEvent{3, onWord, otherApp, 6});
        EXPECT_TRUE(card.lookups.isEmpty()) << c.name;
        EXPECT_TRUE(card.errors.isEmpty()) << c.name;
        config = saved;
        contentArea = true;
        screen.allowed = true;
        screen.word = QStringLiteral("exceeded");
        card.hide();
        clockMs += 5000;
        moveTo(QPoint(5, 5));
    }
}

TEST_F(ScreenTriggersTest, DwellCardWithdrawsWhenThePointerLeavesItsWordUnlessTheCardWasVisited)
{
    config.dwellLookup = true;
    config.dwellSeconds = 0.3;
    moveTo(onWord);
    ASSERT_TRUE(arrives(dwells));
    ASSERT_TRUE(card.shown);
    moveTo(onWord + QPoint(60, 30)); // within the word grown by 60 and 40
    EXPECT_EQ(card.hides, 0);
    moveTo(QPoint(420, 300)); // off the word
    EXPECT_EQ(card.hides, 1);
    EXPECT_FALSE(card.shown);

    // Rested on again; this time the user goes to the card first.
    dwells.clear();
    moveTo(onWord);
    ASSERT_TRUE(arrives(dwells));
    moveTo(card.frame.center());
    moveTo(QPoint(5, 5));
    EXPECT_EQ(card.hides, 1);
    EXPECT_TRUE(card.shown);
}

TEST_F(ScreenTriggersTest, RegionKeyDoubleTapTranslatesTheDraggedRectangle)
{
    tap(control);
    time += 100;
    keyDown(control);
    ASSERT_EQ(regions.opened.size(), 1);
    const QRect dragged(100, 150, 400, 80);
    regions.opened[0](dragged);
    ASSERT_TRUE(arrives(regionsRead));
    EXPECT_EQ(screen.regions, QList<QRect>{dragged});
    ASSERT_EQ(card.translations.size(), 1);
    EXPECT_EQ(card.translations[0].first, QStringLiteral("Quarterly results exceeded"));
    EXPECT_EQ(card.translations[0].second, QPoint(124, 230));
}

TEST_F(ScreenTriggersTest, RegionFailuresShowTheirErrorCardsUnderTheRectangle)
{
    struct {
        const char* name;
        std::function<void(ScreenTriggersTest&)> setUp;
        QString message;
    } cases[] = {
        {"no text", [](auto& t) { t.screen.regionText = QString(); }, "框里没有识别到英文。"},
        {"too small", [](auto& t) { t.screen.regionText.reset(); }, "框里没有识别到英文。"},
        {"capture failed", [](auto& t) { t.screen.failure = QStringLiteral("bad"); },
         "截取屏幕失败。\nbad"},
    };
    for (const auto& c : cases) {
        card.errors.clear();
        regions.opened.clear();
        regionsRead.clear();
        c.setUp(*this);
        time += 1000;
        tap(control);
        keyDown(control);
        keyUp(control);
        ASSERT_EQ(regions.opened.size(), 1) << c.name;
        regions.opened[0](QRect(10, 20, 100, 50));
        ASSERT_TRUE(arrives(regionsRead)) << c.name;
        ASSERT_EQ(card.errors.size(), 1) << c.name;
        EXPECT_EQ(card.errors[0].message, c.message) << c.name;
        EXPECT_FALSE(card.errors[0].needsSettings) << c.name;
        EXPECT_EQ(card.errors[0].at, QPoint(34, 70)) << c.name;
        screen.failure.reset();
        screen.regionText = QStringLiteral("text");
    }
}

TEST_F(ScreenTriggersTest, RegionKeyOpensNothingWhereItMustNot)
{
    struct {
        const char* name;
        std::function<void(ScreenTriggersTest&)> between;
    } cases[] = {
        {"a key typed between the taps", [](auto& t) { t.typeLetter(); }},
        {"a click between the taps",
         [](auto& t) {
             Q_EMIT t.input.buttonPressed(PointerEvent{1, {}, otherApp, 5});
         }},
        {"region translation off", [](auto& t) { t.config.optionRegionTranslate = false; }},
        {"excluded application",
         [](auto& t) { t.config.excludedBundleIDs = {QStringLiteral("Reader")}; }},
    };
    for (const auto& c : cases) {
        const AppConfig saved = config;
        time += 1000;
        tap(control);
        c.between(*this);
        keyDown(control);
        keyUp(control);
        EXPECT_TRUE(regions.opened.isEmpty()) << c.name;
        config = saved;
    }

    screen.allowed = false;
    windows.pointerAt = QPoint(40, 50);
    time += 1000;
    tap(control);
    keyDown(control);
    EXPECT_TRUE(regions.opened.isEmpty());
    ASSERT_EQ(card.errors.size(), 1);
    EXPECT_EQ(card.errors[0].message,
              QStringLiteral("框选翻译需要「屏幕录制」权限，请在设置里打开。"));
    EXPECT_TRUE(card.errors[0].needsSettings);
    EXPECT_EQ(card.errors[0].at, QPoint(40, 50));
}

TEST(ScreenContextTest, GivesTheRecognisedLinesAndNothingWhenTheCaptureFails)
{
    FakeScreenText screen;
    ScreenContext context(screen);
    EXPECT_EQ(
        testing::awaitTask(context.contextAround({QStringLiteral("exceeded"), onWord, onWord})),
        QStringLiteral("Quarterly results exceeded"));
    EXPECT_EQ(screen.asked, (QList<std::pair<QPoint, bool>>{{onWord, false}}));
    EXPECT_EQ(
        testing::awaitTask(context.contextAround({QStringLiteral("x"), onWord, QPoint(900, 900)})),
        std::nullopt);
    screen.failure = QStringLiteral("no screen");
    EXPECT_EQ(
        testing::awaitTask(context.contextAround({QStringLiteral("exceeded"), onWord, onWord})),
        std::nullopt);
    screen.allowed = false;
    EXPECT_FALSE(context.captureAllowed());
}

} // namespace
} // namespace glossivo
