#pragma once

#include "app/GrowthRecord.h"
#include "app/LaunchAtLogin.h"
#include "app/MenuBarWord.h"
#include "app/SettingsState.h"
#include "app/StatusMenuController.h"
#include "app/WriteFailureNotices.h"
#include "app/views/SettingsWindow.h"
#include "card/views/AddWordWindow.h"
#include "card/views/AskView.h"
#include "coach/views/CoachView.h"
#include "platform/FrontApplicationSource.h"
#include "platform/PermissionSource.h"
#include "review/ReviewSession.h"
#include "review/ReviewViewState.h"
#include "review/TimerDelay.h"
#include "review/views/ReviewWindow.h"
#include "wordbook/views/WordBookWindow.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

class QMenu;
class QSystemTrayIcon;
class QWidget;

namespace glossivo {

class CoachFacts;
class CoachSession;
class ConfigStore;
class LearningLog;
class WordStore;

// The tray application: its icon and menu, the menu-bar word, the windows it opens (each made
// at its first opening and kept), the start of the screen triggers once the session allows
// them, and the growth record.
class AppDelegate : public QObject {
    Q_OBJECT

public:
    struct Services {
        // Required; they outlive the delegate.
        ConfigStore* config = nullptr;
        WordStore* words = nullptr;
        LearningLog* log = nullptr;
        const PermissionSource* permissions = nullptr;
        const FrontApplicationSource* front = nullptr;
        LaunchAtLogin* launchAtLogin = nullptr;
        QString supportDir;
        QString ownId;   // our own window class
        QString version; // as the settings window shows it
        std::function<void(const QString& text)> speak;
        std::function<void()> startTriggers;
        std::function<void()> startSync;
        std::function<QString(const QString& id)> applicationName;
        GrowthRecord::Opener openPage;
        // A modal message with a line of advice.
        GrowthRecord::Alert alert;
        std::function<void()> relaunch;
        std::function<void()> quit;
        // A passing desktop notification, sent without waiting for it; `answered` is called
        // later with the id the service gave it, none when it was not shown. The tray icon's
        // balloon when not given or not shown.
        std::function<void(const QString& title, const QString& message,
                           std::function<void(std::optional<uint> id)> answered)>
            notify;
        // Takes back a notification that no longer holds, by its id.
        std::function<void(uint id)> closeNotice;
        int pollMilliseconds = 1500;
    };

    explicit AppDelegate(Services services, QObject* parent = nullptr);
    ~AppDelegate() override;

    // The launched delegate; none before launch and in the command-line modes.
    static AppDelegate* shared();

    // Puts up the tray icon, starts the menu-bar word, sync and (when trusted) the triggers,
    // and opens the settings window when trust or the API key is missing.
    void launch();
    // Another start of the program asked this one to come forward.
    void reopen() { showSettings(); }

    void showSettings();
    void showJourney();
    // Starts a chat about the passage in the one sentence-chat session (a preset question is
    // sent at once) and brings its window forward. Closing the window stops a running answer.
    void showAsk(const AskContext& context, std::optional<QuickQuestion> question = std::nullopt);
    // The add-word window "查词", made at the first call and kept with what it shows; the status
    // menu and the settings window open it.
    void showAddWord();
    // The coach window "AI 教练", made at the first call and kept; every call brings the one
    // coach session up to date (today's conversation, or a new daily brief). Closing it stops
    // nothing: an answer goes on streaming and is there when it is opened again.
    void showCoach();
    // The word-book window "生词本", made at the first call and kept with its tab, search,
    // filter and selections; the status menu and the settings window open it.
    void showWords();
    // The one window of review and spelling rounds, made at the first opening and titled by the
    // opener that made it; every opening starts a new round, dropping one under way.
    void showReview();
    void showSpelling();
    // An opener of a window built elsewhere (review, spelling, coach, add-word, word book);
    // its menu items and buttons appear once it is given.
    void setWindowOpener(MenuAction action, std::function<void()> open);
    // A group of the settings window contributed by another part of the program.
    void addSettingsSection(QWidget* section);

    // What tests and the tray look at.
    QSystemTrayIcon* trayIcon() const { return m_tray; }
    QMenu* menu() const { return m_menu.get(); }
    SettingsWindow* settingsWindow() const { return m_settingsWindow; }
    AskView* askWindow() const { return m_askWindow; }
    AskSession& askSession() { return *m_askSession; }
    AddWordWindow* addWordWindow() const { return m_addWordWindow; }
    CoachView* coachWindow() const { return m_coachWindow; }
    // None before the coach window first opens.
    CoachSession* coachSession() const { return m_coachSession.get(); }
    WordBookWindow* wordsWindow() const { return m_wordsWindow; }
    ReviewWindow* reviewWindow() const { return m_reviewWindow; }
    ReviewSession& reviewSession() { return m_reviewSession; }
    MenuBarWord& menuBarWord() { return m_menuBarWord; }
    bool polling() const { return m_permissionTimer.isActive(); }
    StatusMenuController& menuController() { return m_menuController; }
    // Rebuilds the menu as it would be when opened now.
    void rebuildMenu();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void waitForAccessibility();
    void updateStatusTitle();
    void announceWriteFailures();
    void announceUnreadableDocuments();
    // Says a warning; what it returns withdraws it.
    std::function<void()> warn(const QString& title, const QString& message);
    std::function<void()> opener(MenuAction action) const;
    void showReviewWindow(const QString& title);

    Services m_services;
    MenuBarWord m_menuBarWord;
    StatusMenuController m_menuController;
    GrowthRecord m_growthRecord;
    SettingsState m_settingsState;
    WriteFailureNotices m_writeFailures;
    QSystemTrayIcon* m_tray = nullptr;
    // How many warnings the tray's balloon has shown: the balloon shows one at a time, and a
    // withdrawn warning hides it only while it is still the last one shown. Shared with the
    // answers of the notification service, which may come after the delegate is gone.
    std::shared_ptr<quint64> m_balloonsShown = std::make_shared<quint64>(0);
    std::unique_ptr<QMenu> m_menu;
    QPointer<SettingsWindow> m_settingsWindow;
    std::unique_ptr<AskSession> m_askSession;
    QPointer<AskView> m_askWindow;
    QPointer<AddWordWindow> m_addWordWindow;
    std::unique_ptr<CoachFacts> m_coachFacts;
    std::unique_ptr<CoachSession> m_coachSession;
    QPointer<CoachView> m_coachWindow;
    QPointer<WordBookWindow> m_wordsWindow;
    TimerDelay m_reviewDelay;
    ReviewSession m_reviewSession;
    ReviewViewState m_reviewState;
    QPointer<ReviewWindow> m_reviewWindow;
    QList<QPointer<QWidget>> m_sections;
    QHash<MenuAction, std::function<void()>> m_openers;
    QTimer m_permissionTimer;
};

} // namespace glossivo
