#include "app/AppDelegate.h"
#include "model/ConfigStore.h"
#include "model/JsonFields.h"
#include "model/LearningLog.h"
#include "model/WordStore.h"
#include "platform/DesktopHelpers.h"
#include "support/DataFolder.h"
#include "support/FakeClock.h"
#include "support/FakePlatform.h"
#include "support/Snapshots.h"
#include "wordbook/WordListModel.h"

#include <QApplication>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace glossivo {
namespace {

using namespace testing;

QStringList listed(const QListView* list)
{
    QStringList headwords;
    for (int row = 0; row < list->model()->rowCount(); ++row)
        headwords.append(list->model()->index(row, 0).data().toString());
    return headwords;
}

QByteArray idText(const QUuid& id)
{
    return id.toString(QUuid::WithoutBraces).toUpper().toUtf8();
}

// From the status menu to a deleted word, as the learner does it on a real desktop.
TEST(WordBookDesktop, FindsAWordBySearchAndDeletesItFromItsContextMenu)
{
    if (!desktopAvailable()) GTEST_SKIP() << "needs the test desktop (scripts/test)";
    DataFolder folder;
    FakeClock clock;
    QList<WordEntry> words;
    for (const char* headword : {"Run", "ferry", "rerun", "grunt", "reluctant"}) {
        WordEntry entry;
        entry.id = QUuid::createUuid();
        entry.headword = QString::fromUtf8(headword);
        entry.meaningZh = QStringLiteral("意思");
        entry.createdAt = clock.now();
        words.append(entry);
    }
    folder.write("words.json", QJsonDocument(Json::toArray(words)).toJson());
    ConfigStore config(folder.paths().config(), clock);
    WordStore store(folder.paths(), clock, [&config] { return config.config(); });
    LearningLog log(folder.paths().log(), clock);
    FakePermissionSource permissions;
    FakeFrontApplication front;
    FakeLaunchAtLogin launchAtLogin;
    AppDelegate::Services services;
    services.config = &config;
    services.words = &store;
    services.log = &log;
    services.permissions = &permissions;
    services.front = &front;
    services.launchAtLogin = &launchAtLogin;
    services.supportDir = folder.paths().supportDir();
    services.alert = [](const QString&, const QString&) {};
    services.openPage = [](const QUrl&) {};
    services.notify = [](const QString&, const QString&) {};
    AppDelegate delegate(services);
    delegate.launch();
    if (QWidget* settings = delegate.settingsWindow()) settings->close();

    QMenu* menu = delegate.menu();
    menu->popup(QPoint(700, 30));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    for (QAction* action : menu->actions())
        if (action->text() == "生词本（5 个）") action->trigger();
    menu->close();
    WordBookWindow* window = delegate.wordsWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));

    auto* search = window->findChild<QLineEdit*>("searchField");
    search->setFocus();
    xdotool({"type", "--delay", "20", "  RUN  "});
    ASSERT_TRUE(QTest::qWaitFor([&] { return search->text() == "  RUN  "; }, 3000));
    QListView* list = window->wordList();
    EXPECT_EQ(listed(list), (QStringList{"Run", "rerun", "grunt"}));
    QTest::qWait(200);
    QGuiApplication::primaryScreen()
        ->grabWindow(0)
        .copy(window->frameGeometry())
        .save(test::snapshotFolder(QStringLiteral("wordbook")) + "/desktop-search.png");

    // A right click on "rerun" opens its menu; "删除" removes it at once.
    const QRect row = list->visualRect(list->model()->index(1, 0));
    const QPoint at = list->viewport()->mapToGlobal(row.center());
    xdotool({"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "3"});
    QMenu* wordMenu = nullptr;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return (wordMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget())); },
        3000));
    QAction* remove = wordMenu->findChild<QAction*>("deleteWordAction");
    ASSERT_NE(remove, nullptr);
    const QPoint item = wordMenu->mapToGlobal(wordMenu->actionGeometry(remove).center());
    QTest::qWait(300);
    xdotool({"mousemove", QString::number(item.x()), QString::number(item.y()), "click", "1"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return listed(list).size() == 2; }, 3000));
    EXPECT_EQ(listed(list), (QStringList{"Run", "grunt"}));

    const QUuid rerun = words.at(2).id;
    EXPECT_FALSE(folder.read("words.json").contains(idText(rerun)));
    EXPECT_TRUE(folder.read("deleted.json").contains(idText(rerun)));
    EXPECT_EQ(QJsonDocument::fromJson(folder.read("words.json")).array().size(), 4);
}

} // namespace
} // namespace glossivo
