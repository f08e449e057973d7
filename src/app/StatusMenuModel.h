#pragma once

#include "app/MenuBarWord.h"
#include "model/AppConfig.h"
#include "model/WordEntry.h"
#include "platform/FrontApplicationSource.h"

#include <QList>
#include <QSet>
#include <QString>

#include <optional>

namespace glossivo {

// What clicking a menu item does.
enum class MenuAction {
    none,
    speakWord,
    nextWord,
    toggleMenuBarWord,
    toggleAutoPopup,
    toggleDwell,
    toggleHover,
    toggleRegion,
    toggleExcluded,
    toggleLaunchAtLogin,
    quit,
    showReview,
    showWords,
    showSpelling,
    showCoach,
    showAddWord,
    showJourney,
    showSettings,
};

// One line of the tray menu, as plain data.
struct StatusMenuItem {
    // word: the headword in large bold and the phonetic in the secondary colour;
    // sentence: the secondary colour with the bold stretch in the label colour.
    enum class Style { plain, word, sentence };

    bool separator = false;
    QString title;
    QString symbol;   // the picture's name in the shared symbol set; empty for none
    QString shortcut; // one lower-case letter or ",", pressed with Ctrl
    int indent = 0;
    std::optional<bool> checked; // none: no check mark at all
    MenuAction action = MenuAction::none;
    QString data; // the application of the exclusion toggle
    QString tooltip;
    Style style = Style::plain;
    std::optional<TextRange> bold;

    static StatusMenuItem makeSeparator()
    {
        StatusMenuItem item;
        item.separator = true;
        return item;
    }
    bool operator==(const StatusMenuItem&) const = default;
};

// Everything the menu shows, read at the moment it opens.
struct StatusMenuInput {
    AppConfig config;
    std::optional<WordEntry> word;
    qsizetype dueCount = 0;
    int learningCount = 0;
    int spellCount = 0;
    qsizetype wordCount = 0;
    bool journeyInstalled = false;
    std::optional<FrontApplication> front;
    QString ownId;
    bool trusted = false;
    bool launchAtLogin = false;
    // The window openers that exist; an item that only opens a missing window is left out.
    QSet<MenuAction> windows;
};

// The menu's lines, top to bottom. A separator never opens the menu, ends it or follows
// another one, whatever items are left out.
QList<StatusMenuItem> buildStatusMenu(const StatusMenuInput& input);

} // namespace glossivo
