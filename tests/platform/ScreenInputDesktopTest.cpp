#include "DesktopHelpers.h"

#include "input/SelectionReader.h"
#include "input/SourceInfo.h"
#include "input/TriggerController.h"
#include "platform/ScreenInputBackends.h"
#include "support/FakeScreenInput.h"

#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace glossivo {
namespace {

using testing::HelperWindow;

const QString textWindowClass = QStringLiteral("glossivo-text-window");
constexpr unsigned long keysymC = 0x63;
constexpr unsigned int controlMask = 1 << 2;

// The whole selection road on the real desktop, with a card that records what reaches it and
// the page source at that moment, as the card controller takes it.
struct Stack {
    ScreenInputBackends desktop;
    SelectionReader reader{desktop.accessibility, desktop.buffers, desktop.clipboard,
                           desktop.windows};
    testing::FakeCard card;
    AppConfig config;
    SourceInfo source{desktop.windows, desktop.accessibility, isOwnWindow};
    QList<PageSource> sources;
    TriggerController controller{TriggerController::Services{
        desktop.input, desktop.windows, reader, card, [this] { return config; }, isOwnWindow}};
    QSignalSpy handled{&controller, &TriggerController::selectionHandled};

    Stack()
    {
        card.onLookup = [this] { sources.append(source.current()); };
        // The helper windows answer a synthesized copy late when the whole suite runs at once
        // on a busy machine; the reader waits for them longer than for an idle application.
        reader.setPollInterval(std::chrono::milliseconds(100));
    }
};

class ScreenInputDesktopTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!testing::desktopAvailable()) GTEST_SKIP() << "needs the test desktop";
        stack = std::make_unique<Stack>();
        ASSERT_TRUE(stack->controller.start());
    }

    std::unique_ptr<HelperWindow> textWindow(const QStringList& arguments = {})
    {
        auto window =
            std::make_unique<HelperWindow>(QStringLiteral(GLOSSIVO_TEXT_WINDOW), arguments);
        EXPECT_TRUE(window->isReady());
        return window;
    }
    std::unique_ptr<HelperWindow> plainWindow(const QStringList& arguments)
    {
        auto window =
            std::make_unique<HelperWindow>(QStringLiteral(GLOSSIVO_PLAIN_WINDOW), arguments);
        EXPECT_TRUE(window->isReady());
        return window;
    }
    bool delivered() { return stack->handled.count() > 0 || stack->handled.wait(3000); }
    // Nothing is read: the gesture's selection delay and a read would be over by then.
    bool nothingDelivered() { return !stack->handled.wait(700); }

    std::unique_ptr<Stack> stack;
};

TEST_F(ScreenInputDesktopTest, DoubleClickDeliversWordContextApplicationAndTitle)
{
    auto window = textWindow();
    testing::doubleClick(window->point(QStringLiteral("lineedit")) + QPoint(20, 0));
    ASSERT_TRUE(delivered());
    ASSERT_EQ(stack->card.lookups.size(), 1);
    EXPECT_EQ(stack->card.lookups[0].word, QStringLiteral("Serendipity"));
    EXPECT_EQ(stack->card.lookups[0].context, QStringLiteral("Serendipity is a happy accident."));
    ASSERT_EQ(stack->sources.size(), 1);
    EXPECT_EQ(stack->sources[0].app, textWindowClass);
    EXPECT_EQ(stack->sources[0].title, QStringLiteral("Glossivo test text"));
}

TEST_F(ScreenInputDesktopTest, DragSelectDeliversTextWithItsContext)
{
    auto window = textWindow();
    testing::drag(window->point(QStringLiteral("textstart")) - QPoint(2, 0),
                  window->point(QStringLiteral("textend")) + QPoint(40, 0));
    ASSERT_TRUE(delivered());
    ASSERT_EQ(stack->card.lookups.size(), 1);
    EXPECT_EQ(stack->card.lookups[0].word, QStringLiteral("Glossaries help readers"));
    EXPECT_EQ(stack->card.lookups[0].context,
              QStringLiteral("Glossaries help readers.\nA second line follows here."));
    ASSERT_EQ(stack->sources.size(), 1);
    EXPECT_EQ(stack->sources[0].app, textWindowClass);
    EXPECT_EQ(stack->sources[0].title, QStringLiteral("Glossivo test text"));
}

TEST_F(ScreenInputDesktopTest, ExcludedApplicationDeliversNothing)
{
    stack->config.excludedBundleIDs = {textWindowClass};
    auto window = textWindow();
    testing::doubleClick(window->point(QStringLiteral("lineedit")) + QPoint(20, 0));
    EXPECT_TRUE(nothingDelivered());
    EXPECT_TRUE(stack->card.lookups.isEmpty());
}

TEST_F(ScreenInputDesktopTest, ClickInOurOwnWindowDeliversNothingAndKeepsTheCard)
{
    QLineEdit own(QStringLiteral("Ownword stays here"));
    own.setWindowTitle(QStringLiteral("own window"));
    own.resize(300, 40);
    own.move(200, 500);
    own.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&own));
    QTest::qWait(300);
    testing::doubleClick(own.mapToGlobal(QPoint(20, 20)));
    EXPECT_TRUE(nothingDelivered());
    EXPECT_EQ(stack->card.hides, 0);
}

TEST_F(ScreenInputDesktopTest, SynthesizedCopyLeavesTheClipboardAsItWas)
{
    auto owner = textWindow({QStringLiteral("--clipboard")});
    const QByteArray image =
        testing::output(QStringLiteral("xclip"),
                        {QStringLiteral("-selection"), QStringLiteral("clipboard"),
                         QStringLiteral("-t"), QStringLiteral("image/png"), QStringLiteral("-o")});
    ASSERT_FALSE(image.isEmpty());
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("keys"));
    auto window = plainWindow(
        {QStringLiteral("--copy"), QStringLiteral("plainword"), QStringLiteral("--log"), log});
    testing::doubleClick(window->point(QStringLiteral("window")) + QPoint(60, 60));
    ASSERT_TRUE(delivered());
    ASSERT_EQ(stack->card.lookups.size(), 1);
    EXPECT_EQ(stack->card.lookups[0].word, QStringLiteral("plainword"));
    EXPECT_EQ(stack->card.lookups[0].context, std::nullopt);

    const auto clipboard = [](const char* type) {
        return testing::output(QStringLiteral("xclip"),
                               {QStringLiteral("-selection"), QStringLiteral("clipboard"),
                                QStringLiteral("-t"), QString::fromLatin1(type),
                                QStringLiteral("-o")});
    };
    EXPECT_EQ(clipboard("UTF8_STRING"), QByteArray("saved text"));
    EXPECT_EQ(clipboard("image/png"), image);
}

TEST_F(ScreenInputDesktopTest, TerminalNeverReceivesCtrlC)
{
    QTemporaryDir dir;
    for (const QString& primary : {QString(), QStringLiteral("terminal words")}) {
        stack->handled.clear();
        stack->card.lookups.clear();
        const QString log = dir.filePath(QStringLiteral("keys-") + QString::number(primary.size()));
        QStringList arguments{QStringLiteral("--class"), QStringLiteral("XTerm"),
                              QStringLiteral("--copy"),  QStringLiteral("copied"),
                              QStringLiteral("--log"),   log};
        if (!primary.isEmpty()) arguments << QStringLiteral("--primary") << primary;
        auto window = plainWindow(arguments);
        testing::doubleClick(window->point(QStringLiteral("window")) + QPoint(60, 60));
        ASSERT_TRUE(delivered());
        QTest::qWait(400);
        if (primary.isEmpty()) {
            EXPECT_TRUE(stack->card.lookups.isEmpty());
        } else {
            ASSERT_EQ(stack->card.lookups.size(), 1);
            EXPECT_EQ(stack->card.lookups[0].word, primary);
        }
        QFile keys(log);
        ASSERT_TRUE(keys.open(QIODevice::ReadOnly));
        for (const QByteArray& line : keys.readAll().split('\n')) {
            const QList<QByteArray> fields = line.split(' ');
            if (fields.size() != 2) continue;
            EXPECT_FALSE(fields[0].toULong() == keysymC && (fields[1].toUInt() & controlMask))
                << "Ctrl+C reached the terminal";
        }
    }
}

TEST_F(ScreenInputDesktopTest, PlainWindowReceivesTheCopyThatTerminalsAreSpared)
{
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("keys"));
    auto window = plainWindow({QStringLiteral("--log"), log});
    testing::doubleClick(window->point(QStringLiteral("window")) + QPoint(60, 60));
    ASSERT_TRUE(delivered());
    QFile keys(log);
    ASSERT_TRUE(keys.open(QIODevice::ReadOnly));
    EXPECT_TRUE(keys.readAll().contains(QByteArray::number(qulonglong(keysymC)) + ' '));
    EXPECT_TRUE(stack->card.lookups.isEmpty());
}

TEST_F(ScreenInputDesktopTest, AccessibilityReadsTheLineEditSelectionWithItsContext)
{
    auto window = textWindow();
    // The controller is not needed: the selection is read straight from the bus.
    stack->controller.stop();
    testing::doubleClick(window->point(QStringLiteral("lineedit")) + QPoint(20, 0));
    QTest::qWait(300);
    const std::optional<AccessibleSelection> selection =
        stack->desktop.accessibility.focusedSelection(window->pid());
    ASSERT_TRUE(selection);
    EXPECT_EQ(selection->text, QStringLiteral("Serendipity"));
    EXPECT_EQ(selection->value, QStringLiteral("Serendipity is a happy accident."));
    EXPECT_EQ(selection->selection, (TextRange{0, 11}));
    const auto reading = stack->reader.readViaAccessibility();
    ASSERT_TRUE(reading);
    EXPECT_EQ(reading->context, QStringLiteral("Serendipity is a happy accident."));
}

// Nothing of a password reaches the card (and so the AI service), and no copy is sent to it.
TEST_F(ScreenInputDesktopTest, APasswordFieldIsNeverRead)
{
    auto window = textWindow({QStringLiteral("--password")});
    testing::doubleClick(window->point(QStringLiteral("lineedit")) + QPoint(20, 0));
    ASSERT_TRUE(delivered()); // the gesture was read, as nothing
    EXPECT_TRUE(stack->card.lookups.isEmpty());
    const std::optional<AccessibleSelection> selection =
        stack->desktop.accessibility.focusedSelection(window->pid());
    ASSERT_TRUE(selection);
    EXPECT_TRUE(selection->secret);
    EXPECT_TRUE(selection->text.isEmpty());
}

TEST_F(ScreenInputDesktopTest, AccessibilityGivesUpOnAnApplicationThatDoesNotAnswer)
{
    auto window = textWindow();
    stack->controller.stop();
    testing::doubleClick(window->point(QStringLiteral("lineedit")) + QPoint(20, 0));
    QTest::qWait(300);
    ASSERT_TRUE(stack->desktop.accessibility.focusedSelection(window->pid()));
    ::kill(pid_t(window->pid()), SIGSTOP);
    QElapsedTimer clock;
    clock.start();
    const auto selection = stack->desktop.accessibility.focusedSelection(window->pid());
    const qint64 elapsed = clock.elapsed();
    ::kill(pid_t(window->pid()), SIGCONT);
    EXPECT_FALSE(selection);
    // Bounded by the 0.3 s call timeout; the margin only absorbs a loaded machine, while the
    // fault this guards against is the bus's 25 s default.
    EXPECT_LT(elapsed, 1500);
}

// Runs in a child process of its own, where the accessibility bus cannot be reached.
TEST(AccessibilityWithoutBus, FallsBackAtOnce)
{
    if (!testing::desktopAvailable()) GTEST_SKIP() << "needs the test desktop";
    if (qEnvironmentVariableIsSet("GLOSSIVO_NO_ATSPI_CHILD")) {
        QElapsedTimer clock;
        clock.start();
        AtspiAccessibility accessibility;
        const auto selection = accessibility.focusedSelection(1);
        EXPECT_FALSE(accessibility.isAvailable());
        EXPECT_FALSE(selection);
        EXPECT_LT(clock.elapsed(), 1500);
        return;
    }
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("GLOSSIVO_NO_ATSPI_CHILD"), QStringLiteral("1"));
    environment.insert(QStringLiteral("AT_SPI_BUS_ADDRESS"),
                       QStringLiteral("unix:path=/nonexistent/atspi"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=AccessibilityWithoutBus.FallsBackAtOnce")});
    ASSERT_TRUE(child.waitForFinished(30000));
    const QByteArray output = child.readAll();
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
}

} // namespace
} // namespace glossivo
