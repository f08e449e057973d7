#include "input/SelectionReader.h"

#include "input/AccessibilityReader.h"
#include "input/Clipboard.h"
#include "input/ContextWindow.h"
#include "input/EmbeddedText.h"
#include "input/SelectionBuffers.h"
#include "input/TerminalClasses.h"
#include "input/WindowSystem.h"

#include <QCoro/QCoroTimer>
#include <QPointer>

namespace glossivo {

namespace {

constexpr int copyPolls = 10;
constexpr int selectionPolls = 10;

bool isBlank(const QString& text)
{
    return text.trimmed().isEmpty();
}

// Where the selected text lies in the value when only the caret is known: a mouse selection
// leaves the caret at one of its ends.
std::optional<TextRange> rangeAtCaret(const QString& value, const QString& text, qint64 caret)
{
    const qint64 length = text.size();
    if (caret < 0 || caret > value.size()) return std::nullopt;
    if (caret >= length && QStringView(value).mid(caret - length, length) == text)
        return TextRange{caret - length, length};
    if (caret + length <= value.size() && QStringView(value).mid(caret, length) == text)
        return TextRange{caret, length};
    return std::nullopt;
}

// Puts the user's clipboard back when the read leaves its scope, however it leaves it.
class ClipboardRestorer {
public:
    ClipboardRestorer(Clipboard& clipboard, ClipboardSnapshot saved)
        : m_clipboard(clipboard), m_saved(std::move(saved))
    {}
    ~ClipboardRestorer() { m_clipboard.restore(m_saved); }
    ClipboardRestorer(const ClipboardRestorer&) = delete;
    ClipboardRestorer& operator=(const ClipboardRestorer&) = delete;

private:
    Clipboard& m_clipboard;
    ClipboardSnapshot m_saved;
};

} // namespace

SelectionReader::SelectionReader(AccessibilityReader& accessibility, SelectionBuffers& buffers,
                                 Clipboard& clipboard, WindowSystem& windows, QObject* parent)
    : QObject(parent), m_accessibility(accessibility), m_buffers(buffers), m_clipboard(clipboard),
      m_windows(windows)
{}

void SelectionReader::gestureStarted()
{
    m_buffers.notePress();
}

QCoro::Task<std::optional<SelectionReader::Result>> SelectionReader::read(qint64 mouseDownTime)
{
    QPointer<SelectionReader> self(this);
    std::optional<AccessibleSelection> focused = focusedSelection();
    std::optional<QString> primary = readPrimary(mouseDownTime);
    // A browser tells the accessibility interface of a selection a little after it takes
    // PRIMARY: read at once, it may still give the selection before, or a part of the one being
    // dragged. It is read again until it is this gesture's; a read that failed on the way (a
    // busy application) does not end the wait.
    bool answered = focused.has_value();
    for (int poll = 0; poll < selectionPolls && !isCurrent(focused, primary, answered); ++poll) {
        co_await QCoro::sleepFor(m_pollInterval);
        if (!self) co_return std::nullopt;
        focused = focusedSelection();
        answered = answered || focused;
        if (!primary) primary = readPrimary(mouseDownTime);
    }
    // A password is never read, not even by the copy that the field itself may allow.
    if (focused && focused->secret) co_return std::nullopt;
    const std::optional<Result> accessible = resultOf(focused);
    if (accessible && agrees(*accessible, primary)) co_return accessible;
    if (primary) co_return Result{*primary, std::nullopt};
    const std::optional<QString> copied = co_await readViaClipboard();
    if (!self || !copied) co_return std::nullopt;
    co_return Result{*copied, std::nullopt};
}

// The accessible selection is taken for this gesture's once it holds the text that the gesture
// put in PRIMARY: before the application takes PRIMARY, it may still show the selection before.
// A focused text object that shows no usable selection may still get one; an application that
// never showed one is not waited for.
bool SelectionReader::isCurrent(const std::optional<AccessibleSelection>& focused,
                                const std::optional<QString>& primary, bool answered)
{
    if (focused && focused->secret) return true;
    if (!focused) return !answered;
    const std::optional<Result> accessible = resultOf(focused);
    return accessible && primary && agrees(*accessible, primary);
}

bool SelectionReader::agrees(const Result& accessible, const std::optional<QString>& primary)
{
    return !primary || primary->simplified() == accessible.text.simplified();
}

std::optional<SelectionReader::Result> SelectionReader::readViaAccessibility()
{
    return resultOf(focusedSelection());
}

std::optional<AccessibleSelection> SelectionReader::focusedSelection()
{
    const std::optional<WindowInfo> active = m_windows.activeWindow();
    return m_accessibility.focusedSelection(active ? active->pid : 0);
}

std::optional<SelectionReader::Result>
SelectionReader::resultOf(const std::optional<AccessibleSelection>& selection)
{
    // A character standing for an object that could not be followed is no text the user chose;
    // PRIMARY holds what the application made of it.
    if (!selection || selection->secret || isBlank(selection->text) ||
        EmbeddedText::holdsObject(selection->text))
        return std::nullopt;
    Result result{selection->text, std::nullopt};
    if (!selection->value) return result;
    std::optional<TextRange> range = selection->selection;
    if (!range && selection->caret)
        range = rangeAtCaret(*selection->value, selection->text, *selection->caret);
    if (range) result.context = ContextWindow::around(*selection->value, *range);
    if (result.context) result.context->remove(QChar(EmbeddedText::objectMarker));
    return result;
}

std::optional<QString> SelectionReader::readPrimary(qint64 mouseDownTime)
{
    if (!m_buffers.primaryChangedSince(mouseDownTime)) return std::nullopt;
    std::optional<QString> text = m_buffers.primaryText();
    if (!text || isBlank(*text)) return std::nullopt;
    return text;
}

QCoro::Task<std::optional<QString>> SelectionReader::readViaClipboard()
{
    if (m_copyPending || focusIsInTerminal() || !gestureWasInFocus()) co_return std::nullopt;
    m_copyPending = true;
    ClipboardSnapshot saved = m_clipboard.snapshot();
    const quint64 before = m_buffers.clipboardChanges();
    if (!m_buffers.postCopy()) {
        m_copyPending = false;
        co_return std::nullopt;
    }

    // The polls always run their full course: a copy that lands after the read gave up would
    // leave the selection on the user's clipboard for good.
    QPointer<SelectionReader> self(this);
    for (int poll = 0; poll < copyPolls; ++poll) {
        co_await QCoro::sleepFor(m_pollInterval);
        if (!self) co_return std::nullopt;
        if (m_buffers.clipboardChanges() != before) break;
    }
    m_copyPending = false;
    if (m_buffers.clipboardChanges() == before) co_return std::nullopt;

    ClipboardRestorer restorer(m_clipboard, std::move(saved));
    co_return m_buffers.clipboardText();
}

// The copy goes to the window that has the keyboard focus, which holds the selection just made
// only when the gesture was made over it: a click on the bare desktop or on a window that takes
// no focus leaves the focus, and an older selection, where they were. Without a focused window
// (focus following the pointer) the keys go to the window under the pointer anyway.
bool SelectionReader::gestureWasInFocus()
{
    const std::optional<WindowInfo> under = m_windows.windowUnderPointer();
    const std::optional<WindowInfo> focused = m_windows.focusedWindow();
    return under && (!focused || focused->id == under->id);
}

bool SelectionReader::focusIsInTerminal()
{
    const std::optional<WindowInfo> focused = m_windows.focusedWindow();
    const std::optional<WindowInfo> active = m_windows.activeWindow();
    return (focused && TerminalClasses::contains(focused->appId)) ||
           (active && TerminalClasses::contains(active->appId));
}

} // namespace glossivo
