#include "app/AppDelegate.h"
#include "app/SingleInstance.h"
#include "app/TrayGlyph.h"
#include "model/ConfigStore.h"
#include "model/FolderLock.h"
#include "model/JsonFields.h"
#include "model/LearningLog.h"
#include "model/WordStore.h"
#include "platform/dbus/DesktopNotifications.h"
#include "support/DataFolder.h"
#include "support/FakeClock.h"
#include "support/FakePlatform.h"
#include "support/FakeSyncServer.h"
#include "support/Snapshots.h"
#include "sync/SyncBundle.h"
#include "tray/StatusNotifierWatcher.h"

#include <QApplication>
#include <QDBusArgument>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDBusVirtualObject>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <memory>
#include <optional>

namespace glossivo {
namespace {

using namespace std::chrono_literals;
using testing::DataFolder;
using testing::FakeClock;
using testing::FakeFrontApplication;
using testing::FakeLaunchAtLogin;
using testing::FakePermissionSource;

bool onDesktop()
{
    return qEnvironmentVariableIsSet("GLOSSIVO_DESKTOP_TESTS") &&
           qEnvironmentVariableIsSet("DISPLAY");
}

// A notification service that takes calls and never answers.
struct SilentNotifications : QDBusVirtualObject {
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage&, const QDBusConnection&) override { return true; }
};

// A notification service that shows every notice as number 7 and hears which are closed. It is
// called on the bus's own thread.
struct AnsweringNotifications : QDBusVirtualObject {
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& bus) override
    {
        if (message.member() == "CloseNotification") closed = message.arguments().value(0).toUInt();
        bus.send(message.member() == "Notify" ? message.createReply(QVariant(uint(7)))
                                              : message.createReply());
        return true;
    }
    std::atomic<uint> closed{0};
};

// Whether the tray icon's balloon is up.
bool balloonShown()
{
    return std::ranges::any_of(QApplication::topLevelWidgets(), [](QWidget* window) {
        return window->inherits("QBalloonTip") && window->isVisible();
    });
}

class Tray : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!onDesktop()) GTEST_SKIP() << "needs the test desktop (scripts/test)";
    }
    void TearDown() override
    {
        delegate.reset();
        QTest::qWait(50);
    }

    AppDelegate& launch(const QString& key, PermissionSource::Session session,
                        const QList<WordEntry>& words = {})
    {
        if (!words.isEmpty())
            folder.write("words.json", QJsonDocument(Json::toArray(words)).toJson());
        config = std::make_unique<ConfigStore>(folder.paths().config(), clock);
        AppConfig changed = config->config();
        changed.apiKey = key;
        config->setConfig(changed);
        store =
            std::make_unique<WordStore>(folder.paths(), clock, [this] { return config->config(); });
        log = std::make_unique<LearningLog>(folder.paths().log(), clock);
        permissions.value = session;
        AppDelegate::Services services;
        services.config = config.get();
        services.words = store.get();
        services.log = log.get();
        services.permissions = &permissions;
        services.front = &front;
        services.launchAtLogin = &launchAtLogin;
        services.supportDir = folder.paths().supportDir();
        services.ownId = "Glossivo";
        services.version = "0.1.0（1）";
        services.startTriggers = [this] { ++triggersStarted; };
        services.startSync = [this] { ++syncStarted; };
        services.alert = [](const QString&, const QString&) {};
        services.openPage = [](const QUrl&) {};
        services.pollMilliseconds = 100;
        // Through the desktop's notification service, which the test desktop has not: the
        // tray's balloon shows them.
        services.notify = [this](const QString& title, const QString& message,
                                 const std::function<void(std::optional<uint>)>& answered) {
            notices << title;
            messages << message;
            DesktopNotifications::post(title, message, answered);
        };
        services.closeNotice = &DesktopNotifications::close;
        delegate = std::make_unique<AppDelegate>(services);
        delegate->launch();
        return *delegate;
    }

    bool settingsShown() const
    {
        return delegate->settingsWindow() && delegate->settingsWindow()->isVisible();
    }

    DataFolder folder;
    FakeClock clock;
    FakePermissionSource permissions;
    FakeFrontApplication front;
    FakeLaunchAtLogin launchAtLogin;
    QStringList notices;
    QStringList messages;
    int triggersStarted = 0;
    int syncStarted = 0;
    std::unique_ptr<ConfigStore> config;
    std::unique_ptr<WordStore> store;
    std::unique_ptr<LearningLog> log;
    std::unique_ptr<AppDelegate> delegate;
};

// A failure notice goes once what it names is written: the service's notice is closed, the
// balloon hidden, and a notice still waiting for a service that never answers is not shown.
TEST_F(Tray, AFailureNoticeThatNoLongerHoldsIsWithdrawn)
{
    launch("sk-test", PermissionSource::Session::x11);
    Explanation ferry;
    ferry.headword = "ferry";
    enum class Service { none, answering, silent };
    for (const Service service : {Service::none, Service::answering, Service::silent}) {
        SCOPED_TRACE(int(service));
        const QString name = QStringLiteral("notices%1").arg(int(service));
        QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
        const auto leave = qScopeGuard([&name] { QDBusConnection::disconnectFromBus(name); });
        AnsweringNotifications answering;
        SilentNotifications silent;
        if (service != Service::none) {
            ASSERT_TRUE(bus.registerVirtualObject("/org/freedesktop/Notifications",
                                                  service == Service::answering
                                                      ? static_cast<QDBusVirtualObject*>(&answering)
                                                      : &silent));
            ASSERT_TRUE(bus.registerService("org.freedesktop.Notifications"));
        }
        const qsizetype said = notices.size();
        QFile::remove(folder.path("words.json"));
        ASSERT_TRUE(QDir(folder.path({})).mkdir("words.json")); // refuses every write
        store->save(ferry, {});
        ASSERT_TRUE(QTest::qWaitFor([&] { return notices.size() == said + 1; }, 1000));
        if (service == Service::none) {
            ASSERT_TRUE(QTest::qWaitFor(balloonShown, 2000));
        }
        if (service == Service::answering) QTest::qWait(300); // shown as number 7

        ASSERT_TRUE(QDir(folder.path({})).rmdir("words.json"));
        store->recordLookup(ferry, {});
        ASSERT_TRUE(store->isSaved());
        if (service == Service::answering)
            EXPECT_TRUE(QTest::qWaitFor([&] { return answering.closed == 7; }, 2000));
        else if (service == Service::silent)
            QTest::qWait(2500); // past the wait for an answer, when the balloon would show
        EXPECT_TRUE(QTest::qWaitFor([] { return !balloonShown(); }, 1000));
    }
}

TEST_F(Tray, TrustedWithAKeyShowsOnlyTheTrayIcon)
{
    launch("sk-test", PermissionSource::Session::x11);
    EXPECT_EQ(AppDelegate::shared(), delegate.get());
    EXPECT_EQ(triggersStarted, 1);
    EXPECT_EQ(syncStarted, 1);
    EXPECT_FALSE(delegate->polling());
    EXPECT_EQ(delegate->settingsWindow(), nullptr);
    EXPECT_TRUE(QTest::qWaitFor([] { return QSystemTrayIcon::isSystemTrayAvailable(); }, 3000));
    EXPECT_TRUE(delegate->trayIcon()->isVisible());
    EXPECT_EQ(delegate->trayIcon()->toolTip(), "Glossivo");
}

TEST_F(Tray, ADocumentThatCannotBeWrittenIsAnnouncedOnceUntilItIsWrittenAgain)
{
    launch("sk-test", PermissionSource::Session::x11);
    // A folder in the document's place refuses every write.
    const auto block = [this](const QString& name) {
        QFile::remove(folder.path(name));
        ASSERT_TRUE(QDir(folder.path({})).mkdir(name));
    };
    Explanation ferry;
    ferry.headword = "ferry";
    ferry.meaningZh = "渡船";

    block("words.json");
    store->save(ferry, {});
    store->recordLookup(ferry, {});
    // Said once the save is over, not while its turn holds the word book's lock.
    EXPECT_TRUE(notices.isEmpty());
    ASSERT_TRUE(QTest::qWaitFor([this] { return notices.size() == 1; }, 1000));
    EXPECT_TRUE(notices[0].contains("words.json"));
    EXPECT_TRUE(QTest::qWaitFor(balloonShown, 2000));

    block("config.json");
    AppConfig changed = config->config();
    changed.apiKey = "sk-other";
    config->setConfig(changed);
    ASSERT_TRUE(QTest::qWaitFor([this] { return notices.size() == 2; }, 1000));
    EXPECT_TRUE(notices[1].contains("config.json"));

    // Once written again, a new failure is news again.
    ASSERT_TRUE(QDir(folder.path({})).rmdir("words.json"));
    store->recordLookup(ferry, {});
    block("words.json");
    store->recordLookup(ferry, {});
    EXPECT_TRUE(QTest::qWaitFor([this] { return notices.size() == 3; }, 1000));

    // A save that another process's turn holds back fails all its documents: one notice names
    // them.
    ASSERT_TRUE(QDir(folder.path({})).rmdir("words.json"));
    store->recordLookup(ferry, {});
    FolderLock other(folder.paths().wordBookLock());
    ASSERT_EQ(other.acquire(0ms), FolderLock::State::held);
    store->setLockWait(0ms);
    store->applySync(store->snapshot());
    QTest::qWait(200);
    ASSERT_EQ(notices.size(), 4);
    EXPECT_EQ(notices[3].count("、"), 5) << notices[3].toStdString();
}

// An empty word book must not look like the user's own: the start says where the content went.
TEST_F(Tray, ADocumentThatCouldNotBeReadIsAnnouncedAtStartWithItsCopy)
{
    folder.write("words.json", "[{broken");
    folder.write("notes.json", "[]");
    launch("sk-test", PermissionSource::Session::x11);
    const QString copy = store->keptAside().value("words.json");
    ASSERT_FALSE(copy.isEmpty());
    EXPECT_EQ(folder.read(QFileInfo(copy).fileName()), "[{broken");
    EXPECT_EQ(notices, QStringList{"Glossivo 读不了 words.json"});
    EXPECT_TRUE(messages.value(0).endsWith(copy)) << messages.value(0).toStdString();
}

TEST_F(Tray, WithoutAKeyTheSettingsWindowOpens)
{
    launch("", PermissionSource::Session::x11);
    EXPECT_EQ(triggersStarted, 1);
    ASSERT_TRUE(settingsShown());
    EXPECT_EQ(delegate->settingsWindow()->windowTitle(), "Glossivo 设置");
    EXPECT_TRUE(QTest::qWaitForWindowExposed(delegate->settingsWindow()));
    EXPECT_TRUE(QTest::qWaitForWindowActive(delegate->settingsWindow()));
    // Centred on the screen when it was made.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE(
        (delegate->settingsWindow()->frameGeometry().center() - screen.center()).manhattanLength(),
        40);
}

TEST_F(Tray, WithoutTrustTheWindowOpensAndThePollStartsTheTriggersOnce)
{
    launch("sk-test", PermissionSource::Session::wayland);
    EXPECT_EQ(triggersStarted, 0);
    EXPECT_TRUE(delegate->polling());
    EXPECT_TRUE(settingsShown());
    QTest::qWait(250);
    EXPECT_EQ(triggersStarted, 0);
    permissions.value = PermissionSource::Session::x11;
    EXPECT_TRUE(QTest::qWaitFor([this] { return triggersStarted == 1; }, 1500));
    EXPECT_FALSE(delegate->polling());
    permissions.value = PermissionSource::Session::wayland;
    QTest::qWait(250);
    permissions.value = PermissionSource::Session::x11;
    QTest::qWait(250);
    EXPECT_EQ(triggersStarted, 1);
}

TEST_F(Tray, AReopenedWindowIsTheSameOneWhereTheUserLeftIt)
{
    launch("", PermissionSource::Session::x11);
    SettingsWindow* window = delegate->settingsWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    window->move(40, 60);
    QTest::qWait(200);
    const QPoint moved = window->pos();
    window->close();
    EXPECT_FALSE(window->isVisible());
    delegate->reopen();
    EXPECT_EQ(delegate->settingsWindow(), window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_EQ(window->pos(), moved);
}

TEST_F(Tray, TheChatWindowComesForwardDecoratedWithTheFocusInItsField)
{
    launch("sk-test", PermissionSource::Session::x11);
    delegate->showAsk({"The build failed.", QStringLiteral("构建失败了。"), std::nullopt,
                       std::nullopt, std::nullopt});
    AskView* window = delegate->askWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "questionField");
    // An ordinary window of the desktop, with the window manager's title bar.
    EXPECT_GT(window->frameGeometry().height(), window->height());
    QTest::qWait(200);
    const QImage desktop = window->screen()->grabWindow(0).toImage();
    EXPECT_TRUE(desktop.save(test::snapshotFolder("chat") + "/on-the-desktop.png"));
}

TEST_F(Tray, TheMenuAndTheSettingsOpenOneAddWordWindowThatKeepsWhatItShows)
{
    launch("", PermissionSource::Session::x11);
    delegate->rebuildMenu();
    for (QAction* action : delegate->menu()->actions())
        if (action->text() == "查词…") action->trigger();
    AddWordWindow* window = delegate->addWordWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    EXPECT_EQ(window->windowTitle(), "查词");
    EXPECT_EQ(window->focusWidget(), window->findChild<QLineEdit*>("wordField"));
    QTest::keyClicks(window->focusWidget(), "ran");
    window->close();

    delegate->settingsWindow()->findChild<QPushButton*>("addWordButton")->click();
    EXPECT_EQ(delegate->addWordWindow(), window);
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    EXPECT_EQ(window->findChild<QLineEdit*>("wordField")->text(), "ran");
}

TEST_F(Tray, TheOpenMenuAndTheWordInTheTooltip)
{
    WordEntry word;
    word.id = QUuid::createUuid();
    word.headword = "reluctant";
    word.phonetic = "/rɪˈlʌktənt/";
    word.meaningZh = "不情愿的；勉强的";
    word.createdAt = clock.now();
    word.lookupCount = 1;
    word.stage = Stage::learning;
    Example example;
    example.id = QUuid::createUuid();
    example.sentence = "I was reluctant to post this, but here we go, with a longer sentence.";
    example.addedAt = clock.now();
    word.examples = {example};
    front.value = FrontApplication{"firefox-esr", "Firefox ESR"};
    launch("sk-test", PermissionSource::Session::wayland, {word});
    for (MenuAction window :
         {MenuAction::showReview, MenuAction::showWords, MenuAction::showSpelling,
          MenuAction::showCoach, MenuAction::showAddWord})
        delegate->setWindowOpener(window, [] {});
    EXPECT_EQ(delegate->trayIcon()->toolTip(), "reluctant");

    QMenu* menu = delegate->menu();
    menu->popup(QPoint(760, 30));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    QTest::qWait(300);
    QStringList texts;
    for (QAction* action : menu->actions())
        texts.append(action->isSeparator() ? "-" : action->text());
    EXPECT_EQ(texts.mid(0, 5),
              (QStringList{"reluctant  /rɪˈlʌktənt/", "    不情愿的；勉强的",
                           "I was reluctant to post this, but here we go,\nwith a longer sentence.",
                           "换一个", "-"}));
    EXPECT_TRUE(texts.contains("在「Firefox ESR」中停用"));
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0).copy(menu->geometry());
    EXPECT_TRUE(shot.save(QDir(test::snapshotFolder(QStringLiteral("tray"))).filePath("menu.png")));

    // A click on a toggle writes the configuration and closes the menu.
    for (QAction* action : menu->actions())
        if (action->text() == "划选英文时自动弹出") action->trigger();
    menu->close();
    EXPECT_FALSE(config->config().autoPopupOnSelect);

    QImage glyph = TrayGlyph::image(48);
    EXPECT_TRUE(
        glyph.save(QDir(test::snapshotFolder(QStringLiteral("tray"))).filePath("tray-glyph.png")));
    // The sizes panels use, on a light and a dark panel, magnified four times to be looked at.
    QImage panels(4 * (16 + 22 + 24 + 3 * 4), 4 * 2 * 28, QImage::Format_RGB32);
    QPainter painter(&panels);
    int x = 4;
    for (const int pixels : {16, 22, 24}) {
        for (const int row : {0, 1}) {
            painter.fillRect(QRect(4 * (x - 4), 4 * 28 * row, 4 * (pixels + 4), 4 * 28),
                             row ? QColor(0x2b, 0x2b, 0x2b) : QColor(0xe8, 0xe8, 0xe8));
            painter.drawImage(QRect(4 * x, 4 * (28 * row + 2), 4 * pixels, 4 * pixels),
                              TrayGlyph::image(pixels));
        }
        x += pixels + 4;
    }
    painter.end();
    EXPECT_TRUE(panels.save(
        QDir(test::snapshotFolder(QStringLiteral("tray"))).filePath("tray-glyph-panels.png")));
}

TEST(DesktopNotifications, ANoticeNeverWaitsForTheServicesAnswer)
{
    if (!onDesktop()) GTEST_SKIP() << "needs the test desktop (scripts/test)";
    // A connection of its own, so that the calls travel over the bus as to another program.
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "notices");
    SilentNotifications service;
    ASSERT_TRUE(bus.registerVirtualObject("/org/freedesktop/Notifications", &service));
    ASSERT_TRUE(bus.registerService("org.freedesktop.Notifications"));
    std::optional<bool> shown;
    QElapsedTimer clock;
    clock.start();
    DesktopNotifications::post(
        "Glossivo 没能保存 words.json", "磁盘满了",
        [&shown](std::optional<uint> id) { shown = id.has_value(); }, 1s);
    EXPECT_LT(clock.elapsed(), 250);
    // Unanswered within the wait, it was not shown.
    EXPECT_TRUE(QTest::qWaitFor([&shown] { return shown == false; }, 5000));
    QDBusConnection::disconnectFromBus("notices");
}

// The program itself, started as a user would.
class Program : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!onDesktop()) GTEST_SKIP() << "needs the test desktop (scripts/test)";
        environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", home.path());
        environment.insert("XDG_CONFIG_HOME", home.filePath("config"));
        environment.insert("GLOSSIVO_DATA_DIR", home.filePath("data"));
        environment.insert("QT_QPA_PLATFORM", "xcb");
    }
    void TearDown() override
    {
        for (QProcess* process : started) {
            process->kill();
            process->waitForFinished();
            delete process;
        }
    }
    void writeKey(const QString& key)
    {
        QDir().mkpath(home.filePath("data"));
        QFile file(home.filePath("data/config.json"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QJsonDocument(QJsonObject{{"apiKey", key}}).toJson());
    }
    QProcess* start()
    {
        auto* process = new QProcess;
        started.append(process);
        process->setProcessEnvironment(environment);
        process->start(QStringLiteral(GLOSSIVO_EXECUTABLE), {});
        process->waitForStarted();
        return process;
    }
    // Windows titled "Glossivo 设置" on the desktop.
    static bool settingsOnScreen()
    {
        QProcess search;
        search.start("xdotool", {"search", "--onlyvisible", "--name", "Glossivo 设置"});
        search.waitForFinished();
        return !search.readAllStandardOutput().trimmed().isEmpty();
    }
    bool up() const
    {
        return QFile::exists(
            QDir::temp().filePath(SingleInstance::channelName(home.filePath("data"))));
    }

    QTemporaryDir home;
    QProcessEnvironment environment;
    QList<QProcess*> started;
};

TEST_F(Program, WithAKeyItStaysInTheTrayAndASecondStartBringsUpTheSettings)
{
    writeKey("sk-test");
    QProcess* first = start();
    ASSERT_TRUE(QTest::qWaitFor([this] { return up(); }, 15000));
    QTest::qWait(1000);
    EXPECT_EQ(first->state(), QProcess::Running);
    EXPECT_FALSE(settingsOnScreen());
    QProcess* second = start();
    ASSERT_TRUE(second->waitForFinished(15000));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_TRUE(QTest::qWaitFor([] { return settingsOnScreen(); }, 5000));
    EXPECT_EQ(first->state(), QProcess::Running);
}

// The labels of a dbusmenu layout (ia{sv}av), at every depth.
QStringList menuLabels(const QDBusArgument& layout)
{
    QStringList labels;
    int id = 0;
    QVariantMap properties;
    layout.beginStructure();
    layout >> id >> properties;
    labels.append(properties.value(QStringLiteral("label")).toString());
    layout.beginArray();
    while (!layout.atEnd()) {
        QDBusVariant child;
        layout >> child;
        labels += menuLabels(child.variant().value<QDBusArgument>());
    }
    layout.endArray();
    layout.endStructure();
    return labels;
}

// KDE and GNOME (with its AppIndicator extension) show tray icons as StatusNotifierItems of a
// watcher on the session bus: there, the icon, its tooltip and its menu go over the bus.
TEST_F(Program, WhereTheSessionBusHasAStatusNotifierWatcherTheTrayIsAnItemThere)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    testing::StatusNotifierWatcher watcher;
    ASSERT_TRUE(watcher.registerOn(bus)) << bus.lastError().message().toStdString();
    writeKey("sk-test");
    start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !watcher.items.isEmpty(); }, 15000));

    const QString service = watcher.items.first();
    QDBusInterface properties(service, "/StatusNotifierItem", "org.freedesktop.DBus.Properties",
                              bus);
    const QDBusReply<QDBusVariant> toolTip =
        properties.call("Get", "org.kde.StatusNotifierItem", "ToolTip");
    ASSERT_TRUE(toolTip.isValid()) << toolTip.error().message().toStdString();
    // (icon name, icon pixmaps, title, text)
    const QDBusArgument tip = toolTip.value().variant().value<QDBusArgument>();
    QString iconName, title, text;
    tip.beginStructure();
    tip >> iconName;
    tip.beginArray();
    while (!tip.atEnd()) {
        int width = 0, height = 0;
        QByteArray pixels;
        tip.beginStructure();
        tip >> width >> height >> pixels;
        tip.endStructure();
    }
    tip.endArray();
    tip >> title >> text;
    tip.endStructure();
    EXPECT_EQ(title, "Glossivo");

    const QDBusReply<QDBusVariant> menuPath =
        properties.call("Get", "org.kde.StatusNotifierItem", "Menu");
    ASSERT_TRUE(menuPath.isValid()) << menuPath.error().message().toStdString();
    const QString path = menuPath.value().variant().value<QDBusObjectPath>().path();
    QDBusInterface menu(service, path, "com.canonical.dbusmenu", bus);
    // The menu is built as it opens.
    menu.call("AboutToShow", 0);
    QStringList labels;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            const QDBusMessage layout = menu.call("GetLayout", 0, -1, QStringList());
            if (layout.type() != QDBusMessage::ReplyMessage || layout.arguments().size() < 2)
                return false;
            labels = menuLabels(layout.arguments().at(1).value<QDBusArgument>());
            return labels.contains("退出 Glossivo");
        },
        5000))
        << labels.join(", ").toStdString();
    EXPECT_TRUE(labels.contains("设置…"));
    bus.unregisterService("org.kde.StatusNotifierWatcher");
}

// A logout's SIGTERM while a command-line mode holds the word book: the program's end waits for
// that turn and writes what it held back (here a word synced from another device) before it
// is gone.
TEST_F(Program, ASignalEndWritesTheWordThatAnotherProcessHeldBack)
{
    testing::FakeSyncServer server;
    SyncBundle another;
    another.words = {WordEntry{}};
    another.words[0].id = QUuid::createUuid();
    another.words[0].headword = "harbor";
    another.words[0].meaningZh = "港口";
    another.words[0].createdAt = QDateTime(QDate(2026, 10, 1), QTime(8, 0), QTimeZone::utc());
    server.store(another.json());
    const DataFolder data;
    environment.insert("GLOSSIVO_DATA_DIR", data.paths().supportDir());
    const SyncLink link = server.link();
    data.write("config.json", QJsonDocument(QJsonObject{{"apiKey", "sk-test"},
                                                        {"syncServer", link.server},
                                                        {"syncToken", link.token},
                                                        {"syncPin", link.pin}})
                                  .toJson());
    FolderLock other(data.paths().wordBookLock());
    ASSERT_EQ(other.acquire(0ms), FolderLock::State::held);
    QProcess* program = start();
    // The pass uploads once it has applied the word, which waits for the other process's turn.
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return server.requestCount("PUT", "/v1/bundle") > 0; }, 20000));
    ::kill(pid_t(program->processId()), SIGTERM);
    EXPECT_FALSE(program->waitForFinished(1000));
    other.release();
    ASSERT_TRUE(program->waitForFinished(15000));
    EXPECT_EQ(program->exitStatus(), QProcess::NormalExit);
    EXPECT_TRUE(data.read("words.json").contains("harbor"));
}

TEST_F(Program, WithoutAKeyTheSettingsWindowOpensAtLaunch)
{
    start();
    EXPECT_TRUE(QTest::qWaitFor([] { return settingsOnScreen(); }, 15000));
}

} // namespace
} // namespace glossivo
