#pragma once

#include "input/AccessibilityReader.h"
#include "input/Clipboard.h"
#include "input/GlobalInput.h"
#include "input/LookupCard.h"
#include "input/SelectionBuffers.h"
#include "input/WindowSystem.h"

#include <QList>

#include <functional>

// Stand-ins for the desktop, for tests of screen input without a display.
namespace glossivo::testing {

class FakeAccessibility : public AccessibilityReader {
public:
    std::optional<AccessibleSelection> selection;
    std::optional<QString> address;
    QList<qint64> askedPids;

    std::optional<AccessibleSelection> focusedSelection(qint64 pid) override
    {
        askedPids.append(pid);
        return selection;
    }
    std::optional<QString> documentAddress(qint64 pid) override
    {
        askedPids.append(pid);
        return address;
    }
};

class FakeClipboard : public Clipboard {
public:
    ClipboardSnapshot contents;
    int restores = 0;

    ClipboardSnapshot snapshot() override { return contents; }
    void restore(const ClipboardSnapshot& snapshot) override
    {
        ++restores;
        contents = snapshot;
    }
};

class FakeBuffers : public SelectionBuffers {
public:
    std::optional<qint64> primaryChangedAt;
    quint64 clipboard = 0;
    std::optional<QString> primaryContents;
    int copies = 0;
    bool modifierHeld = false;
    // What the focused application does when it receives Ctrl+C.
    std::function<void()> onCopy;

    int presses = 0;

    void notePress() override { ++presses; }
    bool primaryChangedSince(qint64 time) override
    {
        return primaryChangedAt && *primaryChangedAt >= time;
    }
    quint64 clipboardChanges() const override { return clipboard; }
    // The clipboard whose text the focused application's copy puts there.
    const ClipboardSnapshot* clipboardContents = nullptr;

    std::optional<QString> primaryText() override { return primaryContents; }
    std::optional<QString> clipboardText() override
    {
        if (clipboardContents)
            for (const auto& [format, data] : *clipboardContents)
                if (format == QLatin1String("text/plain")) return QString::fromUtf8(data);
        return std::nullopt;
    }
    bool postCopy() override
    {
        if (modifierHeld) return false;
        ++copies;
        if (onCopy) onCopy();
        return true;
    }
};

class FakeWindows : public WindowSystem {
public:
    std::optional<WindowInfo> active;
    std::optional<WindowInfo> focused;
    std::optional<WindowInfo> under; // the focused window unless set
    bool overBareDesktop = false;
    QPoint pointerAt;

    std::optional<WindowInfo> activeWindow() override { return active; }
    std::optional<WindowInfo> focusedWindow() override { return focused ? focused : active; }
    std::optional<WindowInfo> windowUnderPointer() override
    {
        if (overBareDesktop) return std::nullopt;
        return under ? under : focusedWindow();
    }
    QPoint pointer() override { return pointerAt; }
};

class FakeInput : public GlobalInput {
public:
    bool running = false;

    bool start() override { return running = true; }
    void stop() override { running = false; }
    bool isRunning() const override { return running; }
};

class FakeCard : public LookupCard {
public:
    struct Lookup {
        QString word;
        std::optional<QString> context;
        QPoint at;
    };
    struct Error {
        QString message;
        bool needsSettings = false;
        QPoint at;
    };
    QList<Lookup> lookups;
    QList<std::pair<QString, QPoint>> offers;
    QList<std::pair<QString, QPoint>> translations;
    QList<Error> errors;
    int hides = 0;
    bool translateOffer = false;
    // Where the card shows on the screen; every card shows there until it is hidden.
    QRect frame{600, 600, 300, 200};
    std::optional<QRect> shown;
    // Runs at every lookup, as the card controller takes the page source at that moment.
    std::function<void()> onLookup;

    void lookup(const QString& word, const std::optional<QString>& context, QPoint at) override
    {
        lookups.append({word, context, at});
        shown = frame;
        if (onLookup) onLookup();
    }
    void offerTranslation(const QString& text, QPoint at) override
    {
        offers.append({text, at});
        translateOffer = true;
        shown = frame;
    }
    void showTranslation(const QString& text, QPoint at) override
    {
        translations.append({text, at});
        shown = frame;
    }
    void showError(const QString& message, bool needsSettings, QPoint at) override
    {
        errors.append({message, needsSettings, at});
        shown = frame;
    }
    void hide() override
    {
        ++hides;
        translateOffer = false;
        shown.reset();
    }
    bool showsTranslateOffer() const override { return translateOffer; }
    std::optional<QRect> visibleFrame() const override { return shown; }
};

} // namespace glossivo::testing
