#include "app/AppDelegate.h"

#include "app/SetAsideNotice.h"
#include "app/TrayGlyph.h"
#include "app/views/SettingsWindow.h"
#include "app/views/StatusMenu.h"
#include "card/views/SourceLabel.h"
#include "coach/CoachFacts.h"
#include "coach/CoachSession.h"
#include "model/AppPaths.h"
#include "model/ConfigStore.h"
#include "model/SafeLink.h"
#include "model/WordStore.h"
#include "ui/RegisterBadge.h"
#include "ui/SpeakButton.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QSystemTrayIcon>

#include <algorithm>
#include <memory>
#include <optional>

namespace glossivo {

namespace {

QPointer<AppDelegate> s_shared;

// Whether the tray icon's balloon is up: a window of Qt's own, one at a time (none where the
// desktop's tray takes the icon's messages itself).
bool balloonShows()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(), [](const QWidget* window) {
        return window->inherits("QBalloonTip") && window->isVisible();
    });
}

void centreOnScreen(QWidget* window)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = window->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }
}

// Every opening shows the window, restored, in front and active.
void bringForward(QWidget* window)
{
    if (window->isMinimized()) window->showNormal();
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

AppDelegate::AppDelegate(Services services, QObject* parent)
    : QObject(parent), m_services(std::move(services)),
      m_menuBarWord(*m_services.words, *m_services.config),
      m_menuController({*m_services.config, *m_services.words, m_menuBarWord,
                        *m_services.permissions, *m_services.front, *m_services.launchAtLogin,
                        m_services.speak, [this] { return m_growthRecord.installed(); },
                        m_services.ownId}),
      m_growthRecord(m_services.supportDir, m_services.openPage, m_services.alert),
      m_settingsState(*m_services.config, *m_services.permissions, *m_services.launchAtLogin,
                      m_services.alert),
      m_writeFailures(
          [this](const QString& title, const QString& message) { return warn(title, message); }),
      m_askSession(std::make_unique<AskSession>(
          *m_services.words, [config = m_services.config] { return config->config(); },
          Clock::system())),
      m_reviewSession(*m_services.words, m_reviewDelay, m_services.speak),
      m_reviewState(
          m_reviewSession, *m_services.words,
          [config = m_services.config] { return config->config(); }, m_services.speak)
{
    m_menuController.setHandler(MenuAction::showSettings, [this] { showSettings(); });
    m_menuController.setHandler(MenuAction::showJourney, [this] { showJourney(); });
    setWindowOpener(MenuAction::showAddWord, [this] { showAddWord(); });
    setWindowOpener(MenuAction::showCoach, [this] { showCoach(); });
    setWindowOpener(MenuAction::showWords, [this] { showWords(); });
    setWindowOpener(MenuAction::showReview, [this] { showReview(); });
    setWindowOpener(MenuAction::showSpelling, [this] { showSpelling(); });
    m_menuController.setHandler(MenuAction::quit, [this] {
        if (m_services.quit) m_services.quit();
    });
    m_permissionTimer.setInterval(m_services.pollMilliseconds);
    connect(&m_permissionTimer, &QTimer::timeout, this, [this] {
        if (!m_services.permissions->trusted()) return;
        // Once for good: trust taken back later does not start the poll again.
        m_permissionTimer.stop();
        if (m_services.startTriggers) m_services.startTriggers();
    });
    connect(&m_menuBarWord, &MenuBarWord::changed, this, &AppDelegate::updateStatusTitle);
}

AppDelegate::~AppDelegate()
{
    delete m_settingsWindow;
    if (m_askWindow) {
        // Its own destruction is no close of the chat.
        m_askWindow->removeEventFilter(this);
        delete m_askWindow;
    }
    delete m_addWordWindow;
    // Before the session it draws.
    delete m_coachWindow;
    delete m_wordsWindow;
    delete m_reviewWindow;
}

AppDelegate* AppDelegate::shared()
{
    return s_shared;
}

void AppDelegate::launch()
{
    s_shared = this;
    m_tray = new QSystemTrayIcon(TrayGlyph::icon(), this);
    m_tray->setToolTip(QStringLiteral("Glossivo"));
    m_menu = std::make_unique<QMenu>();
    m_menu->setObjectName(QStringLiteral("statusMenu"));
    connect(m_menu.get(), &QMenu::aboutToShow, this, &AppDelegate::rebuildMenu);
    m_tray->setContextMenu(m_menu.get());
    // A click opens the menu too, as the menu is all there is to the icon.
    connect(m_tray, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger) m_menu->popup(QCursor::pos());
            });
    m_tray->show();
    announceWriteFailures();
    announceUnreadableDocuments();

    m_menuBarWord.start();
    if (m_services.startSync) m_services.startSync();
    if (m_services.permissions->trusted()) {
        if (m_services.startTriggers) m_services.startTriggers();
    } else {
        waitForAccessibility();
    }
    // The key is taken as stored: blanks count as a key here.
    if (!m_services.permissions->trusted() || m_services.config->config().apiKey.isEmpty())
        showSettings();
}

// A document that cannot be written keeps its changes in memory and is tried again with the
// next change, or by itself while another process's turn holds the word book; the user hears of
// it once per document, when it starts failing, so that a full disk is not mistaken for saved
// work, and of the documents of one save in one notice.
void AppDelegate::announceWriteFailures()
{
    WordStore* words = m_services.words;
    connect(words, &WordStore::writeFailed, this,
            [this, words](const QString& document, const QString& error) {
                m_writeFailures.add(document, error, words->isHeldBack());
            });
    connect(m_services.config, &ConfigStore::writeFailed, this,
            [this](const QString& document, const QString& error) {
                m_writeFailures.add(document, error, false);
            });
    // A notice that no longer holds is taken back once what it names is written.
    connect(words, &WordStore::writeRecovered, &m_writeFailures, &WriteFailureNotices::recovered);
    connect(m_services.config, &ConfigStore::writeRecovered, &m_writeFailures,
            &WriteFailureNotices::recovered);
}

void AppDelegate::announceUnreadableDocuments()
{
    const QMap<QString, QString>& kept = m_services.words->keptAside();
    for (auto it = kept.begin(); it != kept.end(); ++it)
        warn(SetAsideNotice::title(it.key()), SetAsideNotice::message(it.value()));
}

std::function<void()> AppDelegate::warn(const QString& title, const QString& message)
{
    // What became of the warning. The service's answer may come after the delegate, and its
    // icon, are gone, and after the warning was withdrawn.
    struct Warning {
        bool withdrawn = false;
        std::optional<uint> notice; // the id the notification service gave it
        quint64 balloon = 0;        // which of the balloon's showings was its
    };
    const auto warning = std::make_shared<Warning>();
    const auto balloon = [warning, tray = QPointer(m_tray), shown = m_balloonsShown, title,
                          message] {
        if (warning->withdrawn || !tray) return;
        tray->showMessage(title, message, QSystemTrayIcon::Warning);
        warning->balloon = ++*shown;
    };
    const auto withdraw = [warning, tray = QPointer(m_tray), shown = m_balloonsShown,
                           close = m_services.closeNotice] {
        warning->withdrawn = true;
        if (warning->notice && close) close(*warning->notice);
        // Empty texts hide the balloon; none is shown anew.
        if (tray && warning->balloon && warning->balloon == *shown && balloonShows())
            tray->showMessage({}, {});
    };
    if (!m_services.notify) {
        balloon();
        return withdraw;
    }
    m_services.notify(title, message,
                      [warning, balloon, close = m_services.closeNotice](std::optional<uint> id) {
                          if (!id) return balloon();
                          warning->notice = id;
                          if (warning->withdrawn && close) close(*id);
                      });
    return withdraw;
}

void AppDelegate::waitForAccessibility()
{
    m_permissionTimer.start();
}

void AppDelegate::rebuildMenu()
{
    fillStatusMenu(*m_menu, m_menuController.open(),
                   [this](const StatusMenuItem& item) { m_menuController.trigger(item); });
}

void AppDelegate::updateStatusTitle()
{
    if (!m_tray) return;
    const auto entry = m_menuBarWord.entry();
    m_tray->setToolTip(entry ? MenuBarWord::statusTitle(entry->headword)
                             : QStringLiteral("Glossivo"));
}

std::function<void()> AppDelegate::opener(MenuAction action) const
{
    return m_openers.value(action);
}

void AppDelegate::setWindowOpener(MenuAction action, std::function<void()> open)
{
    m_openers.insert(action, open);
    m_menuController.setHandler(action, std::move(open));
}

void AppDelegate::addSettingsSection(QWidget* section)
{
    if (m_settingsWindow)
        m_settingsWindow->addSection(section);
    else
        m_sections.append(section);
}

void AppDelegate::showSettings()
{
    if (!m_settingsWindow) {
        SettingsWindow::Actions actions;
        actions.applicationName = m_services.applicationName;
        actions.relaunch = m_services.relaunch;
        actions.showAddWord = opener(MenuAction::showAddWord);
        actions.showWords = opener(MenuAction::showWords);
        actions.version = m_services.version;
        actions.dataFolder = m_services.supportDir;
        m_settingsWindow = new SettingsWindow(m_settingsState, *m_services.words, actions);
        for (const QPointer<QWidget>& section : std::as_const(m_sections))
            if (section) m_settingsWindow->addSection(section);
        m_sections.clear();
        // Centred only now, so a reopened window comes back where the user left it.
        centreOnScreen(m_settingsWindow);
    }
    bringForward(m_settingsWindow);
}

void AppDelegate::showAsk(const AskContext& context, std::optional<QuickQuestion> question)
{
    m_askSession->start(context, question);
    if (!m_askWindow) {
        const GrowthRecord::Opener openPage = m_services.openPage;
        m_askWindow = new AskView(*m_askSession, [openPage](const QUrl& url) {
            if (openPage && isOpenableLink(url)) openPage(url);
        });
        m_askWindow->setWindowTitle(QStringLiteral("问 AI"));
        m_askWindow->resize(460, 600);
        m_askWindow->installEventFilter(this);
        // Centred only now, so a reopened window comes back where the user left it.
        centreOnScreen(m_askWindow);
    }
    bringForward(m_askWindow);
}

bool AppDelegate::eventFilter(QObject* watched, QEvent* event)
{
    // A closed chat window does not go on answering out of sight.
    if (watched == m_askWindow && event->type() == QEvent::Close) m_askSession->stop();
    return QObject::eventFilter(watched, event);
}

void AppDelegate::showJourney()
{
    m_growthRecord.show();
}

void AppDelegate::showAddWord()
{
    if (!m_addWordWindow) {
        ConfigStore* config = m_services.config;
        m_addWordWindow = new AddWordWindow(
            *m_services.words, [config] { return config->config(); }, m_services.speak);
        // Centred only now, so a reopened window comes back where the user left it.
        centreOnScreen(m_addWordWindow);
    }
    bringForward(m_addWordWindow);
}

void AppDelegate::showCoach()
{
    if (!m_coachSession) {
        ConfigStore* config = m_services.config;
        const auto settings = [config] { return config->config(); };
        m_coachFacts = std::make_unique<CoachFacts>(*m_services.words, *m_services.log, settings,
                                                    Clock::system());
        m_coachSession = std::make_unique<CoachSession>(AppPaths(m_services.supportDir).coach(),
                                                        *m_coachFacts, settings, Clock::system());
    }
    m_coachSession->open();
    if (!m_coachWindow) {
        const GrowthRecord::Opener openPage = m_services.openPage;
        // The review button does what the menu's review item does, once a review window is
        // there to open.
        m_coachWindow = new CoachView(
            *m_coachSession, *m_coachFacts, Clock::system(),
            [this] {
                if (const std::function<void()> review = opener(MenuAction::showReview)) review();
            },
            [openPage](const QUrl& url) {
                if (openPage && isOpenableLink(url)) openPage(url);
            });
        m_coachWindow->setWindowTitle(QStringLiteral("AI 教练"));
        m_coachWindow->resize(500, 680);
        // Centred only now, so a reopened window comes back where the user left it.
        centreOnScreen(m_coachWindow);
    }
    bringForward(m_coachWindow);
}

void AppDelegate::showWords()
{
    if (!m_wordsWindow) {
        ConfigStore* config = m_services.config;
        WordBookWindow::Actions actions;
        actions.showAddWord = opener(MenuAction::showAddWord);
        actions.views.source = [](const PageSource& source, bool showTitle,
                                  QWidget* parent) -> QWidget* {
            return new SourceLabel(source, showTitle, parent);
        };
        actions.views.speakButton = [speak = m_services.speak](const QString& text,
                                                               QWidget* parent) -> QWidget* {
            return new SpeakButton(text, speak, parent);
        };
        actions.views.registerBadge = [](Register value, QWidget* parent) -> QWidget* {
            return RegisterBadge::make(value, parent);
        };
        actions.views.openLink = m_services.openPage;
        m_wordsWindow = new WordBookWindow(
            *m_services.words, [config] { return config->config(); }, Clock::system(), actions);
        // Centred only now, so a reopened window comes back where the user left it.
        centreOnScreen(m_wordsWindow);
    }
    bringForward(m_wordsWindow);
}

void AppDelegate::showReview()
{
    m_reviewSession.start(0);
    showReviewWindow(QStringLiteral("复习"));
}

void AppDelegate::showSpelling()
{
    m_reviewSession.startSpelling();
    showReviewWindow(QStringLiteral("拼写练习"));
}

void AppDelegate::showReviewWindow(const QString& title)
{
    if (!m_reviewWindow) {
        m_reviewWindow = new ReviewWindow(m_reviewState);
        // Only the opener that makes the window names it; the other keeps that name.
        m_reviewWindow->setWindowTitle(title);
        // Centred only now, so a reopened window comes back where the user left it.
        centreOnScreen(m_reviewWindow);
    }
    bringForward(m_reviewWindow);
}

} // namespace glossivo
