#pragma once

#include "app/LaunchAtLogin.h"
#include "app/StatusMenuModel.h"
#include "platform/FrontApplicationSource.h"
#include "platform/PermissionSource.h"

#include <QHash>

#include <functional>

namespace glossivo {

class ConfigStore;
class MenuBarWord;
class WordStore;

// The tray menu's logic: what it shows when it opens, and what each item does. Opening it
// counts the due words, which fills the learning slots first (and may write the word book),
// and logs one glance per shown word.
class StatusMenuController {
public:
    struct Services {
        ConfigStore& config;
        WordStore& words;
        MenuBarWord& menuBarWord;
        const PermissionSource& permissions;
        const FrontApplicationSource& front;
        LaunchAtLogin& launchAtLogin;
        std::function<void(const QString& text)> speak;
        std::function<bool()> journeyInstalled;
        QString ownId; // our own window class, never offered for exclusion
    };

    explicit StatusMenuController(Services services);

    // What opens a window, runs the growth record or quits; items of window openers that are
    // not given are left out of the menu.
    void setHandler(MenuAction action, std::function<void()> handler);

    // The menu as it stands now (call it each time the menu opens).
    QList<StatusMenuItem> open();
    void trigger(const StatusMenuItem& item);

private:
    void flip(bool AppConfig::*field);
    void toggleExcluded(const QString& id);

    Services m_services;
    QHash<MenuAction, std::function<void()>> m_handlers;
};

} // namespace glossivo
