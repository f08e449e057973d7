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
#include "wordbook/views/WordDetail.h"

#include <QApplication>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QScreen>
#include <QScrollArea>
#include <QTest>
#include <QToolButton>

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

// The application over a word book on disk, as a learner starts it.
struct Desktop {
    Desktop(DataFolder& folder, const QList<WordEntry>& words)
        : written(write(folder, words)), config(folder.paths().config(), clock),
          store(folder.paths(), clock, [this] { return config.config(); }),
          log(folder.paths().log(), clock)
    {
        services.config = &config;
        services.words = &store;
        services.log = &log;
        services.permissions = &permissions;
        services.front = &front;
        services.launchAtLogin = &launchAtLogin;
        services.supportDir = folder.paths().supportDir();
        services.alert = [](const QString&, const QString&) {};
        services.openPage = [](const QUrl&) {};
        services.notify = [](const QString&, const QString&,
                             const std::function<void(std::optional<uint>)>& answered) {
            answered(1);
        };
        services.speak = [](const QString&) {};
        delegate = std::make_unique<AppDelegate>(services);
        delegate->launch();
        if (QWidget* settings = delegate->settingsWindow()) settings->close();
    }

    // From the status menu, by the item's title.
    WordBookWindow* openWordBook(const QString& item)
    {
        QMenu* menu = delegate->menu();
        menu->popup(QPoint(700, 30));
        if (!QTest::qWaitForWindowExposed(menu)) return nullptr;
        for (QAction* action : menu->actions())
            if (action->text() == item) action->trigger();
        menu->close();
        return delegate->wordsWindow();
    }

    static bool write(DataFolder& folder, const QList<WordEntry>& words)
    {
        folder.write("words.json", QJsonDocument(Json::toArray(words)).toJson());
        return true;
    }

    bool written;
    FakeClock clock;
    ConfigStore config;
    WordStore store;
    LearningLog log;
    FakePermissionSource permissions;
    FakeFrontApplication front;
    FakeLaunchAtLogin launchAtLogin;
    AppDelegate::Services services;
    std::unique_ptr<AppDelegate> delegate;
};

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
    Desktop desktop(folder, words);
    WordBookWindow* window = desktop.openWordBook("生词本（5 个）");
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

// A sentence that is not one goes from the word's pane with one click, and only it.
TEST(WordBookDesktop, DeletesTheSecondExampleFromTheWordsPane)
{
    if (!desktopAvailable()) GTEST_SKIP() << "needs the test desktop (scripts/test)";
    DataFolder folder;
    FakeClock clock;
    WordEntry word;
    word.id = QUuid::createUuid();
    word.headword = "reluctant";
    word.meaningZh = QStringLiteral("不情愿的");
    word.createdAt = clock.now();
    for (const char* sentence :
         {"She was reluctant to go.", "Click here to subscribe", "Reluctant buyers waited."})
        word.examples.append(Example{
            QUuid::createUuid(), QString::fromUtf8(sentence), "", "", false, {}, {}, {}, {}});
    Desktop desktop(folder, {word});
    WordBookWindow* window = desktop.openWordBook("生词本（1 个）");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));

    QListView* list = window->wordList();
    const QPoint row =
        list->viewport()->mapToGlobal(list->visualRect(list->model()->index(0, 0)).center());
    xdotool({"mousemove", QString::number(row.x()), QString::number(row.y()), "click", "1"});
    WordDetail* pane = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (pane = window->findChild<WordDetail*>()); }, 3000));
    const auto buttons = [&] {
        return window->findChild<WordDetail*>()->findChildren<QToolButton*>("deleteExampleButton");
    };
    ASSERT_EQ(buttons().size(), 3);
    QToolButton* second = buttons().at(1);
    const QPoint at = second->mapToGlobal(second->rect().center());
    QTest::qWait(200);
    xdotool({"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"});
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return window->findChild<WordDetail*>() && buttons().size() == 2; }, 3000));

    QStringList shown;
    for (QWidget* card : window->findChild<WordDetail*>()->findChildren<QWidget*>("exampleCard"))
        shown.append(card->accessibleName());
    EXPECT_EQ(shown, (QStringList{"She was reluctant to go.", "Reluctant buyers waited."}));
    const QJsonArray examples =
        QJsonDocument::fromJson(folder.read("words.json")).array().at(0)["examples"].toArray();
    ASSERT_EQ(examples.size(), 2);
    EXPECT_EQ(examples.at(0)["sentence"].toString(), "She was reluctant to go.");
    EXPECT_EQ(examples.at(1)["sentence"].toString(), "Reluctant buyers waited.");
}

} // namespace
} // namespace glossivo
