#include "input/SelectionReader.h"

#include "input/EmbeddedText.h"
#include "support/AwaitTask.h"
#include "support/FakeScreenInput.h"

#include <QTimer>

#include <gtest/gtest.h>

namespace glossivo {
namespace {

using glossivo::testing::awaitTask;
using Result = SelectionReader::Result;

const ClipboardSnapshot userClipboard{{QStringLiteral("text/plain"), QByteArray("mine")},
                                      {QStringLiteral("image/png"), QByteArray("\x89PNG...")}};

class SelectionReaderTest : public ::testing::Test {
protected:
    SelectionReaderTest()
    {
        windows.active = WindowInfo{7, QStringLiteral("Editor"), QStringLiteral("notes"), 42};
        clipboard.contents = userClipboard;
        buffers.clipboardContents = &clipboard.contents;
        reader.setPollInterval(std::chrono::milliseconds(2));
    }

    // The focused application copies `text` (an image when absent) after `polls` polls.
    void copiesAfter(int milliseconds, std::optional<QString> text)
    {
        buffers.onCopy = [this, milliseconds, text] {
            QTimer::singleShot(milliseconds, [this, text] {
                clipboard.contents =
                    text ? ClipboardSnapshot{{QStringLiteral("text/plain"), text->toUtf8()}}
                         : ClipboardSnapshot{{QStringLiteral("image/png"), QByteArray("img")}};
                ++buffers.clipboard;
            });
        };
    }

    testing::FakeAccessibility accessibility;
    testing::FakeBuffers buffers;
    testing::FakeClipboard clipboard;
    testing::FakeWindows windows;
    SelectionReader reader{accessibility, buffers, clipboard, windows};
};

TEST_F(SelectionReaderTest, AccessibilityGivesTextAndContextOfTheActiveProcess)
{
    const QString value = QStringLiteral("x").repeated(400) + QStringLiteral("word") +
                          QStringLiteral("y").repeated(400);
    accessibility.selection = AccessibleSelection{QStringLiteral("word"), value, TextRange{400, 4}};
    buffers.primaryContents = QStringLiteral("word");
    buffers.primaryChangedAt = 0;
    const auto result = awaitTask(reader.read(0));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->text, QStringLiteral("word"));
    EXPECT_EQ(result->context, value.mid(100, 604));
    EXPECT_EQ(accessibility.askedPids, QList<qint64>{42});
    EXPECT_EQ(buffers.copies, 0);
}

TEST_F(SelectionReaderTest, AccessibilityContextFallsBackToTheCaret)
{
    const QString value = QStringLiteral("A rare word here.");
    struct {
        std::optional<QString> value;
        std::optional<qint64> caret;
        std::optional<QString> context;
    } cases[] = {
        {value, 11, value},                  // caret after the selection
        {value, 7, value},                   // caret before it
        {value, 3, std::nullopt},            // caret elsewhere
        {value, std::nullopt, std::nullopt}, // no range, no caret
        {std::nullopt, 11, std::nullopt},    // no value
    };
    for (const auto& c : cases) {
        accessibility.selection =
            AccessibleSelection{QStringLiteral("word"), c.value, std::nullopt, c.caret};
        const auto result = reader.readViaAccessibility();
        ASSERT_TRUE(result);
        EXPECT_EQ(result->text, QStringLiteral("word"));
        EXPECT_EQ(result->context, c.context);
    }
}

// Blank, still holding the marker of an object that could not be followed, or other than what
// this gesture put in PRIMARY (a browser that tells of a selection late): PRIMARY is read.
TEST_F(SelectionReaderTest, UnusableAccessibleSelectionFallsThroughToPrimary)
{
    const QString marker(QChar(EmbeddedText::objectMarker));
    for (const QString& text :
         {QStringLiteral(" \n"), marker, "a " + marker, QStringLiteral("to")}) {
        accessibility.selection = AccessibleSelection{text, "a " + text, TextRange{2, text.size()}};
        buffers.primaryContents = QStringLiteral(" selected ");
        buffers.primaryChangedAt = 1000;
        const auto result = awaitTask(reader.read(1000));
        EXPECT_EQ(result, (Result{QStringLiteral(" selected "), std::nullopt}))
            << text.toStdString();
    }
    EXPECT_EQ(buffers.copies, 0);
    // With no fresh PRIMARY to disagree, the marker is still no text: the copy is read.
    accessibility.selection = AccessibleSelection{marker, "a " + marker, TextRange{2, 1}};
    copiesAfter(1, QStringLiteral("copied"));
    EXPECT_EQ(awaitTask(reader.read(2000)), (Result{QStringLiteral("copied"), std::nullopt}));
}

// Both hold the word after a mouse selection; only the accessibility reading knows its context.
TEST_F(SelectionReaderTest, AccessibilityWinsOverAFreshPrimary)
{
    const QString value = QStringLiteral("A rare word here.");
    accessibility.selection = AccessibleSelection{QStringLiteral("word"), value, TextRange{7, 4}};
    buffers.primaryContents = QStringLiteral("word");
    buffers.primaryChangedAt = 1000;
    EXPECT_EQ(awaitTask(reader.read(1000)), (Result{QStringLiteral("word"), value}));
}

// A browser shows a new selection to the accessibility interface a little after it took
// PRIMARY with it: the selection before is not taken for it, and the context is waited for.
TEST_F(SelectionReaderTest, AccessibilityIsWaitedForUntilItShowsThisGesturesSelection)
{
    const QString value = QStringLiteral("The harbour was quiet.");
    accessibility.selection =
        AccessibleSelection{QStringLiteral("harbour"), value, TextRange{4, 7}};
    buffers.primaryContents = QStringLiteral("quiet");
    buffers.primaryChangedAt = 1000;
    QTimer::singleShot(5, [&] {
        accessibility.selection =
            AccessibleSelection{QStringLiteral("quiet"), value, TextRange{16, 5}};
    });
    EXPECT_EQ(awaitTask(reader.read(1000)), (Result{QStringLiteral("quiet"), value}));
    // PRIMARY taken only after the first reading still tells that the reading was the old one.
    accessibility.selection =
        AccessibleSelection{QStringLiteral("harbour"), value, TextRange{4, 7}};
    QTimer::singleShot(5, [&] { buffers.primaryChangedAt = 2000; });
    EXPECT_EQ(awaitTask(reader.read(2000)), (Result{QStringLiteral("quiet"), std::nullopt}));
}

// A password field gives nothing by any way, even one whose PRIMARY or Ctrl+C would answer.
TEST_F(SelectionReaderTest, APasswordFieldIsNeverRead)
{
    AccessibleSelection password;
    password.secret = true;
    accessibility.selection = password;
    buffers.primaryContents = QStringLiteral("hunter2");
    buffers.primaryChangedAt = 1000;
    copiesAfter(1, QStringLiteral("hunter2"));
    EXPECT_EQ(awaitTask(reader.read(1000)), std::nullopt);
    EXPECT_EQ(reader.readViaAccessibility(), std::nullopt);
    EXPECT_EQ(buffers.copies, 0);
    EXPECT_EQ(clipboard.contents, userClipboard);
}

TEST_F(SelectionReaderTest, PrimaryOlderThanTheMouseDownIsNotRead)
{
    buffers.primaryContents = QStringLiteral("stale");
    buffers.primaryChangedAt = 999;
    copiesAfter(1, QStringLiteral("fresh"));
    const auto result = awaitTask(reader.read(1000));
    EXPECT_EQ(result, (Result{QStringLiteral("fresh"), std::nullopt}));
    EXPECT_EQ(buffers.copies, 1);
}

TEST_F(SelectionReaderTest, CopyRestoresEveryFormatOfTheUsersClipboard)
{
    copiesAfter(1, QStringLiteral("copied text"));
    EXPECT_EQ(awaitTask(reader.readViaClipboard()), QStringLiteral("copied text"));
    EXPECT_EQ(clipboard.contents, userClipboard);
}

TEST_F(SelectionReaderTest, CopyOfAnImageGivesNothingAndStillRestores)
{
    copiesAfter(1, std::nullopt);
    EXPECT_EQ(awaitTask(reader.readViaClipboard()), std::nullopt);
    EXPECT_EQ(clipboard.contents, userClipboard);
    EXPECT_EQ(clipboard.restores, 1);
}

TEST_F(SelectionReaderTest, NothingCopiedLeavesTheClipboardUntouched)
{
    EXPECT_EQ(awaitTask(reader.readViaClipboard()), std::nullopt);
    EXPECT_EQ(buffers.copies, 1);
    EXPECT_EQ(clipboard.restores, 0);
    EXPECT_EQ(clipboard.contents, userClipboard);
}

TEST_F(SelectionReaderTest, EmptyClipboardIsLeftEmpty)
{
    clipboard.contents.clear();
    copiesAfter(1, QStringLiteral("copied"));
    EXPECT_EQ(awaitTask(reader.readViaClipboard()), QStringLiteral("copied"));
    EXPECT_TRUE(clipboard.contents.isEmpty());
}

TEST_F(SelectionReaderTest, LateCopyWithinThePollsIsCaughtAndRestored)
{
    copiesAfter(12, QStringLiteral("slow app"));
    EXPECT_EQ(awaitTask(reader.readViaClipboard()), QStringLiteral("slow app"));
    EXPECT_EQ(clipboard.contents, userClipboard);
}

TEST_F(SelectionReaderTest, SecondCopyWhileOneIsPendingIsRefused)
{
    copiesAfter(6, QStringLiteral("first"));
    QCoro::Task<std::optional<QString>> first = reader.readViaClipboard();
    EXPECT_EQ(awaitTask(reader.readViaClipboard()), std::nullopt);
    EXPECT_EQ(awaitTask(std::move(first)), QStringLiteral("first"));
    EXPECT_EQ(buffers.copies, 1);
    EXPECT_EQ(clipboard.contents, userClipboard);
}

TEST_F(SelectionReaderTest, TerminalsNeverGetCtrlC)
{
    copiesAfter(1, QStringLiteral("^C"));
    for (const char* terminalClass : {"XTerm", "Gnome-terminal", "kitty", "Alacritty"}) {
        windows.active = WindowInfo{8, QString::fromLatin1(terminalClass), {}, 9};
        EXPECT_EQ(awaitTask(reader.read(0)), std::nullopt) << terminalClass;
    }
    // A terminal's selection still arrives through PRIMARY.
    buffers.primaryContents = QStringLiteral("ls -la");
    buffers.primaryChangedAt = 5;
    EXPECT_EQ(awaitTask(reader.read(5)), (Result{QStringLiteral("ls -la"), std::nullopt}));
    EXPECT_EQ(buffers.copies, 0);
}

TEST_F(SelectionReaderTest, CopyThatCouldNotBeSentEndsAtOnceAndAllowsTheNext)
{
    buffers.modifierHeld = true;
    copiesAfter(1, QStringLiteral("copied"));
    EXPECT_EQ(awaitTask(reader.readViaClipboard()), std::nullopt);
    EXPECT_EQ(clipboard.restores, 0);
    buffers.modifierHeld = false;
    EXPECT_EQ(awaitTask(reader.readViaClipboard()), QStringLiteral("copied"));
}

// A click on the bare desktop or on a window that took no focus leaves the focused window's old
// selection where it was: a copy would bring it back as if just selected.
TEST_F(SelectionReaderTest, OnlyTheWindowOfTheGestureGetsCtrlC)
{
    copiesAfter(1, QStringLiteral("old"));
    windows.overBareDesktop = true;
    EXPECT_EQ(awaitTask(reader.readViaClipboard()), std::nullopt);
    windows.overBareDesktop = false;
    windows.under = WindowInfo{11, QStringLiteral("Dock"), {}, 12};
    EXPECT_EQ(awaitTask(reader.readViaClipboard()), std::nullopt);
    EXPECT_EQ(buffers.copies, 0);
    // Focus that follows the pointer names no focused window: the keys reach the one under it.
    windows.active.reset();
    EXPECT_EQ(awaitTask(reader.readViaClipboard()), QStringLiteral("old"));
}

TEST_F(SelectionReaderTest, FocusInATerminalInsideAnotherWindowGetsNoCtrlC)
{
    windows.focused = WindowInfo{9, QStringLiteral("konsole"), {}, 10};
    EXPECT_EQ(awaitTask(reader.readViaClipboard()), std::nullopt);
    EXPECT_EQ(buffers.copies, 0);
}

} // namespace
} // namespace glossivo
