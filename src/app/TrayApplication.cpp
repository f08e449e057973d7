#include "app/TrayApplication.h"

#include "app/QtTranslations.h"
#include "app/QuitSignals.h"
#include "app/SettingsState.h"
#include "app/SharedCard.h"
#include "app/SingleInstance.h"
#include "app/Speaker.h"
#include "app/TrayGlyph.h"
#include "card/CardController.h"
#include "model/AppPaths.h"
#include "model/ConfigStore.h"
#include "model/LearningLog.h"
#include "model/WordStore.h"
#include "platform/dbus/DesktopNotifications.h"
#include "sync/SyncService.h"
#include "sync/views/SyncSection.h"
#include "ui/BreakableText.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QProcess>

namespace glossivo {

namespace {

// How long the end waits for another process's turn: long enough for a command-line mode to
// finish one on a book of tens of megabytes, and short of the time a session manager gives a
// program to end at logout.
constexpr std::chrono::seconds kLastWait{30};

void alert(const QString& message, const QString& advice)
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("Glossivo"), message);
    box.setInformativeText(advice);
    box.exec();
}

} // namespace

TrayComposition::TrayComposition(SingleInstance& instance)
    : m_names(ApplicationNames::standard()),
      m_front([names = m_names](const QString& id) { return names.displayName(id); }),
      m_autostart(AutostartFile::forThisProgram())
{
    const ApplicationNames names = m_names;
    const auto applicationName = [names](const QString& id) { return names.displayName(id); };
    AppDelegate::Services services;
    services.config = &ConfigStore::shared();
    services.words = &WordStore::shared();
    // The one process that keeps the word book open writes it even where the folder cannot be
    // locked; a command-line mode then refuses to, so the two never write over each other.
    WordStore::shared().setWritesWithoutLocks(true);
    // Its windows keep answering while another process has its turn: a change waits for a later
    // one of its own, and counts as failed only once it has waited five seconds.
    WordStore::shared().setLockWait(std::chrono::milliseconds(250), std::chrono::seconds(5));
    // While it runs, a notice never waits for the notification service; only the end waits
    // for its last one, which would go with the process otherwise.
    services.notify = [](const QString& title, const QString& message,
                         std::function<void(std::optional<uint> id)> answered) {
        DesktopNotifications::post(title, message, std::move(answered));
    };
    services.closeNotice = &DesktopNotifications::close;
    m_lastWrite = std::make_unique<LastWrite>(
        WordStore::shared(), kLastWait,
        [](const QString& title, const QString& message) {
            return DesktopNotifications::send(title, message);
        },
        m_errors);
    m_wordBookWatcher =
        std::make_unique<WordBookWatcher>(WordStore::shared(), AppPaths::shared().supportDir());
    services.log = &LearningLog::shared();
    services.permissions = &m_permissions;
    services.front = &m_front;
    services.launchAtLogin = &m_autostart;
    services.supportDir = AppPaths::shared().supportDir();
    services.ownId = QApplication::applicationName();
    services.version = SettingsState::versionText(QStringLiteral(GLOSSIVO_VERSION),
                                                  QStringLiteral(GLOSSIVO_BUILD));
    services.speak = [](const QString& text) { Speaker::shared().speak(text); };
    // The triggers hand what they read to the process's card, which asks them where it was
    // read.
    m_screenTriggers = std::make_unique<ScreenTriggers>(
        SharedCard::controller(), [] { return ConfigStore::shared().config(); }, m_permissions,
        applicationName);
    ScreenTriggers* triggers = m_screenTriggers.get();
    SharedCard::setPageSource([triggers] { return triggers->pageSource(); });
    services.startTriggers = [triggers] { triggers->start(); };
    services.startSync = [] { SyncService::shared().start(); };
    services.applicationName = applicationName;
    services.openPage = [](const QUrl& page) { QDesktopServices::openUrl(page); };
    services.alert = alert;
    services.relaunch = [&instance] {
        // The new start must find no running copy, or it would only bring this one forward.
        instance.release();
        QProcess::startDetached(QCoreApplication::applicationFilePath(), {});
        QCoreApplication::quit();
    };
    services.quit = [] { QCoreApplication::quit(); };

    m_delegate = std::make_unique<AppDelegate>(services);
    AppDelegate* delegate = m_delegate.get();
    // The card's question buttons carry it into the sentence chat.
    SharedCard::setAskOpener(
        [delegate](const AskContext& context, std::optional<QuickQuestion> question) {
            delegate->showAsk(context, question);
        });
    // The settings window takes ownership of the section when it is first built.
    delegate->addSettingsSection(new SyncSection);
    QObject::connect(&instance, &SingleInstance::reopenRequested, delegate, &AppDelegate::reopen);
    // However the loop ends (退出, a signal, a relaunch), what waits is written first.
    LastWrite* last = m_lastWrite.get();
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, delegate, [last] { last->run(); });
}

int runTrayApplication(int& argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Glossivo"));
    QApplication::setApplicationVersion(QStringLiteral(GLOSSIVO_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("glossivo"));
    QApplication::setWindowIcon(TrayGlyph::icon());
    // A tray application: closing its last window does not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    // Qt's own messages (network failures on the card, dialog buttons) in the user's language.
    QtTranslations::install(&app);
    keepBreaksOutOfCopies();
    // A logout's SIGTERM ends the program as 退出 does, so that what waits is written.
    const QuitSignals quitSignals;

    SingleInstance instance(SingleInstance::channelName(AppPaths::shared().supportDir()));
    if (!instance.claim()) return 0;
    TrayComposition composition(instance);
    composition.delegate().launch();
    QApplication::exec();
    return 0;
}

} // namespace glossivo
