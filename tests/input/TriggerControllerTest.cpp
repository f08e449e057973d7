#include "input/TriggerController.h"

#include "input/ContextRecognizer.h"
#include "input/SelectionReader.h"
#include "support/FakeScreenInput.h"

#include <QCoro/QCoroTimer>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace glossivo {
namespace {

constexpr quint64 otherApp = 100;
constexpr quint64 ownWindow = 200;

class FakeRecognizer : public ContextRecognizer {
public:
    bool allowed = true;
    std::optional<QString> text;
    QList<QPoint> asked;
    std::chrono::milliseconds reading{0};

    bool captureAllowed() const override { return allowed; }
    QCoro::Task<std::optional<QString>> contextAround(ScreenOCR::Selection selection) override
    {
        asked.append(selection.to);
        if (reading.count() > 0) co_await QCoro::sleepFor(reading);
        co_return text;
    }
};

class TriggerControllerTest : public ::testing::Test {
public:
    TriggerControllerTest()
    {
        windows.active = WindowInfo{otherApp, QStringLiteral("Reader"), QStringLiteral("doc"), 5};
        buffers.clipboardContents = &clipboard.contents;
        reader.setPollInterval(std::chrono::milliseconds(1));
        controller.setSelectionDelay(std::chrono::milliseconds(5));
        controller.start();
    }

    void select(const QString& text, std::optional<QString> context = std::nullopt)
    {
        accessibility.selection = AccessibleSelection{text, context, TextRange{0, text.size()}};
    }
    void press(QPoint at, qint64 time, quint64 window = otherApp)
    {
        Q_EMIT input.buttonPressed(PointerEvent{1, at, window, time});
    }
    void release(QPoint at, qint64 time, quint64 window = otherApp)
    {
        Q_EMIT input.buttonReleased(PointerEvent{1, at, window, time});
    }
    void drag(QPoint from, QPoint to, quint64 window = otherApp)
    {
        time += 1000;
        press(from, time, window);
        release(to, time + 200, window);
    }
    void doubleClick(QPoint at, int clicks = 2)
    {
        time += 1000;
        for (int i = 0; i < clicks; ++i) {
            press(at, time + 150 * i);
            release(at, time + 150 * i + 50);
        }
    }
    // Whether a selection was read within a generous wait.
    bool handled() { return spy.count() > 0 || spy.wait(500); }

    testing::FakeInput input;
    testing::FakeWindows windows;
    testing::FakeAccessibility accessibility;
    testing::FakeBuffers buffers;
    testing::FakeClipboard clipboard;
    testing::FakeCard card;
    FakeRecognizer recognizer;
    AppConfig config;
    SelectionReader reader{accessibility, buffers, clipboard, windows};
    TriggerController controller{
        TriggerController::Services{input, windows, reader, card, [this] { return config; },
                                    [](quint64 id) { return id == ownWindow; }, &recognizer}};
    QSignalSpy spy{&controller, &TriggerController::selectionHandled};
    qint64 time = 0;
};

TEST_F(TriggerControllerTest, GesturesThatSelect)
{
    struct {
        const char* name;
        std::function<void(TriggerControllerTest&)> gesture;
        bool reads;
    } cases[] = {
        {"plain click",
         [](auto& t) {
             t.drag({10, 10}, {10, 10});
         },
         false},
        {"drag of exactly 4",
         [](auto& t) {
             t.drag({10, 10}, {14, 10});
         },
         false},
        {"diagonal drag under 4",
         [](auto& t) {
             t.drag({10, 10}, {12, 13});
         },
         false},
        {"drag over 4",
         [](auto& t) {
             t.drag({10, 10}, {13, 13});
         },
         true},
        {"double click",
         [](auto& t) {
             t.doubleClick({50, 50});
         },
         true},
        {"triple click",
         [](auto& t) {
             t.doubleClick({50, 50}, 3);
         },
         true},
    };
    select(QStringLiteral("word"));
    for (const auto& c : cases) {
        spy.clear();
        card.lookups.clear();
        c.gesture(*this);
        EXPECT_EQ(handled(), c.reads) << c.name;
        EXPECT_EQ(card.lookups.size(), c.reads ? 1 : 0) << c.name;
    }
}

TEST_F(TriggerControllerTest, WordWithAccessibleContextNeedsNoCapture)
{
    select(QStringLiteral("word,"), QStringLiteral("A word, in context."));
    drag({0, 0}, {40, 0});
    ASSERT_TRUE(handled());
    ASSERT_EQ(card.lookups.size(), 1);
    EXPECT_EQ(card.lookups[0].word, QStringLiteral("word"));
    EXPECT_EQ(card.lookups[0].context, QStringLiteral("A word, in context."));
    EXPECT_EQ(card.lookups[0].at, QPoint(40, 0));
    EXPECT_TRUE(recognizer.asked.isEmpty());
}

TEST_F(TriggerControllerTest, WordWithoutContextTakesTheScreensText)
{
    recognizer.text = QStringLiteral("recognized line");
    for (bool allowed : {true, false}) {
        spy.clear();
        card.lookups.clear();
        recognizer.allowed = allowed;
        recognizer.asked.clear();
        select(QStringLiteral("word"));
        accessibility.selection->value.reset();
        drag({0, 0}, {30, 30});
        ASSERT_TRUE(handled());
        ASSERT_EQ(card.lookups.size(), 1);
        EXPECT_EQ(card.lookups[0].context,
                  allowed ? std::optional(QStringLiteral("recognized line")) : std::nullopt);
        EXPECT_EQ(recognizer.asked, allowed ? QList<QPoint>({QPoint(30, 30)}) : QList<QPoint>());
    }
}

// The card of a word whose context was still being read would cover what the press began.
TEST_F(TriggerControllerTest, APressWhileTheContextIsReadDropsTheWord)
{
    recognizer.reading = std::chrono::milliseconds(100);
    select(QStringLiteral("word"));
    accessibility.selection->value.reset();
    drag({0, 0}, {30, 30});
    ASSERT_TRUE(QTest::qWaitFor([this] { return !recognizer.asked.isEmpty(); }, 1000));
    press({300, 300}, time + 1000);
    QTest::qWait(300);
    EXPECT_TRUE(card.lookups.isEmpty());
}

TEST_F(TriggerControllerTest, PrimaryIsNewWhenItChangedSinceTheFirstPressOfTheSeries)
{
    // The application selects the word at the double click's second press; a selection older
    // than the first press is not this gesture's.
    buffers.primaryContents = QStringLiteral("doubled");
    for (const qint64 changedAfterFirstPress : {100, -1}) {
        spy.clear();
        card.lookups.clear();
        const qint64 firstPress = time + 1000;
        buffers.primaryChangedAt = firstPress + changedAfterFirstPress;
        doubleClick({50, 50});
        ASSERT_TRUE(handled());
        EXPECT_EQ(card.lookups.size(), changedAfterFirstPress >= 0 ? 1 : 0);
    }
}

TEST_F(TriggerControllerTest, LongSelectionIsOfferedForTranslation)
{
    select(QStringLiteral(" One two three four five six. "));
    drag({0, 0}, {90, 5});
    ASSERT_TRUE(handled());
    ASSERT_EQ(card.offers.size(), 1);
    EXPECT_EQ(card.offers[0].first, QStringLiteral("One two three four five six."));
    EXPECT_EQ(card.offers[0].second, QPoint(90, 5));
    EXPECT_TRUE(card.lookups.isEmpty());
}

TEST_F(TriggerControllerTest, IgnoredTextLeavesTheCardAlone)
{
    select(QStringLiteral("https://example.com"));
    drag({0, 0}, {90, 5});
    ASSERT_TRUE(handled());
    EXPECT_TRUE(card.lookups.isEmpty());
    EXPECT_TRUE(card.offers.isEmpty());
}

TEST_F(TriggerControllerTest, TwoSelectionsWithinTheDelayReadOnlyTheSecond)
{
    controller.setSelectionDelay(std::chrono::milliseconds(40));
    select(QStringLiteral("first"));
    drag({0, 0}, {20, 0});
    select(QStringLiteral("second"));
    drag({0, 0}, {25, 0});
    ASSERT_TRUE(handled());
    QTest::qWait(60);
    ASSERT_EQ(card.lookups.size(), 1);
    EXPECT_EQ(card.lookups[0].word, QStringLiteral("second"));
    EXPECT_EQ(card.lookups[0].at, QPoint(25, 0));
}

TEST_F(TriggerControllerTest, NoSelectionIsReadWhereTriggersMustNotAct)
{
    struct {
        const char* name;
        std::function<void(TriggerControllerTest&)> setUp;
        quint64 window;
    } cases[] = {
        {"automatic popup off", [](auto& t) { t.config.autoPopupOnSelect = false; }, otherApp},
        {"excluded application",
         [](auto& t) { t.config.excludedBundleIDs = {QStringLiteral("Reader")}; }, otherApp},
        {"own window in front", [](auto& t) { t.windows.active->id = ownWindow; }, otherApp},
        {"gesture over an own window", [](auto&) {}, ownWindow},
    };
    select(QStringLiteral("word"));
    for (const auto& c : cases) {
        const AppConfig saved = config;
        const WindowInfo active = *windows.active;
        c.setUp(*this);
        drag({0, 0}, {50, 50}, c.window);
        EXPECT_FALSE(spy.wait(60)) << c.name;
        config = saved;
        windows.active = active;
    }
    EXPECT_TRUE(card.lookups.isEmpty());
}

// The pointer is read when an event is, which may be a moment after it came: a click on the card
// is read as released over the window the pointer has moved on to. The next press elsewhere
// selects as before.
TEST_F(TriggerControllerTest, AReleaseAfterAPressOnOurWindowIsOurs)
{
    select(QStringLiteral("word"));
    doubleClick({10, 10});
    ASSERT_TRUE(handled());
    spy.clear();
    time += 1000;
    press({10, 10}, time, ownWindow);
    release({300, 300}, time + 50);
    EXPECT_FALSE(spy.wait(60));
    EXPECT_EQ(card.lookups.size(), 1);
    drag({10, 10}, {40, 40});
    EXPECT_TRUE(handled());
    EXPECT_EQ(card.lookups.size(), 2);
}

TEST_F(TriggerControllerTest, ClicksElsewhereHideTheCardButClicksOnOurWindowsDoNot)
{
    config.autoPopupOnSelect = false;
    press({1, 1}, 10);
    EXPECT_EQ(card.hides, 1);
    press({1, 1}, 2000, ownWindow);
    EXPECT_EQ(card.hides, 1);
    Q_EMIT input.buttonPressed(PointerEvent{3, {1, 1}, otherApp, 4000});
    EXPECT_EQ(card.hides, 1);
}

TEST_F(TriggerControllerTest, EscapeHidesAndScrollHidesOnlyATranslationOffer)
{
    KeyEvent escape;
    escape.escape = true;
    escape.focusWindow = otherApp;
    Q_EMIT input.keyPressed(escape);
    EXPECT_EQ(card.hides, 1);
    KeyEvent letter;
    letter.focusWindow = otherApp;
    Q_EMIT input.keyPressed(letter);
    EXPECT_EQ(card.hides, 1);

    Q_EMIT input.scrolled(PointerEvent{4, {}, otherApp, 0});
    EXPECT_EQ(card.hides, 1);
    card.translateOffer = true;
    Q_EMIT input.scrolled(PointerEvent{4, {}, otherApp, 0});
    EXPECT_EQ(card.hides, 2);
}

TEST_F(TriggerControllerTest, StopEndsListeningAndStartRestarts)
{
    EXPECT_TRUE(controller.isRunning());
    controller.stop();
    EXPECT_FALSE(controller.isRunning());
    press({1, 1}, 10);
    EXPECT_EQ(card.hides, 0);
    EXPECT_TRUE(controller.start());
    EXPECT_TRUE(controller.start());
    press({1, 1}, 10);
    EXPECT_EQ(card.hides, 1); // connected once, however often it was started
}

} // namespace
} // namespace glossivo
