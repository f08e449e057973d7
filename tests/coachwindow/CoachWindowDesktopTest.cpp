#include "CoachViewFixture.h"

#include "app/AppDelegate.h"
#include "support/FakePlatform.h"
#include "support/Snapshots.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QMenu>
#include <QScreen>
#include <QTest>

using namespace glossivo;
using namespace glossivo::testing;

namespace {

// The coach window as a user reaches it: from the status menu of the launched delegate, on the
// test desktop, read through its accessible names.
class CoachWindowDesktop : public CoachViewFixture {
protected:
    void SetUp() override
    {
        if (!qEnvironmentVariableIsSet("GLOSSIVO_DESKTOP_TESTS") ||
            !qEnvironmentVariableIsSet("DISPLAY"))
            GTEST_SKIP() << "needs the test desktop (scripts/test)";
        AppDelegate::Services services;
        services.config = &config;
        services.words = store.get();
        services.log = &log;
        services.permissions = &permissions;
        services.front = &front;
        services.launchAtLogin = &launchAtLogin;
        services.supportDir = folder.paths().supportDir();
        delegate = std::make_unique<AppDelegate>(services);
        delegate->launch();
    }

    CoachView* openFromTheMenu()
    {
        delegate->rebuildMenu();
        for (QAction* action : delegate->menu()->actions())
            if (action->text() == QStringLiteral("AI 教练")) action->trigger();
        view = delegate->coachWindow();
        return view && QTest::qWaitForWindowActive(view) ? view : nullptr;
    }
    bool showsRows(const QStringList& expected) const
    {
        return FakeChatServer::waitFor([&] { return rows() == expected; });
    }
    FakePermissionSource permissions;
    FakeFrontApplication front;
    FakeLaunchAtLogin launchAtLogin;
    std::unique_ptr<AppDelegate> delegate;
};

TEST_F(CoachWindowDesktop, TheBriefAChipAStopAndTheSameConversationAfterReopening)
{
    FakeReply brief = FakeReply::streamed(
        {QStringLiteral("这几天你在读 **Reddit**。"), QStringLiteral("今天留意 reluctant。")});
    brief.delayMilliseconds = 1000;
    server.enqueue(brief);
    ASSERT_NE(openFromTheMenu(), nullptr);
    EXPECT_EQ(view->windowTitle(), QStringLiteral("AI 教练"));
    EXPECT_EQ(view->size(), QSize(500, 680));
    EXPECT_EQ(rows(), QStringList{QStringLiteral("教练在看你这几天的记录…")});
    const QString told = QStringLiteral("这几天你在读 Reddit。今天留意 reluctant。");
    ASSERT_TRUE(showsRows({told}));
    CoachSession& coach = *delegate->coachSession();
    const auto idle = [&coach] { return !coach.isAnswering(); };
    ASSERT_TRUE(FakeChatServer::waitFor(idle));

    server.enqueue(
        FakeReply::streamed({QStringLiteral("挑 reluctant、"), QStringLiteral("vivid。")}));
    QAccessible::queryAccessibleInterface(
        find<QAbstractButton>("chip", QStringLiteral("今天重点记哪几个？")))
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    const QStringList chat{told, QStringLiteral("今天重点记哪几个？"),
                           QStringLiteral("挑 reluctant、vivid。")};
    ASSERT_TRUE(showsRows(chat));
    ASSERT_TRUE(FakeChatServer::waitFor(idle));

    // Closing the window stops nothing: the answer streams on and is there again on reopening.
    server.enqueue(FakeReply::streamed({QStringLiteral("最弱的是")}, FakeReply::Ending::hold));
    find<QAbstractButton>("chip", QStringLiteral("我最近哪里最弱？"))->click();
    view->close();
    ASSERT_TRUE(FakeChatServer::waitFor(
        [&coach] { return coach.messages().last().text == QStringLiteral("最弱的是"); }));
    ASSERT_NE(openFromTheMenu(), nullptr);
    const QStringList stopped =
        chat + QStringList{QStringLiteral("我最近哪里最弱？"), QStringLiteral("最弱的是")};
    EXPECT_EQ(rows(), stopped);
    find<QAbstractButton>("stopButton")->click();
    EXPECT_FALSE(coach.isAnswering());

    view->close();
    ASSERT_NE(openFromTheMenu(), nullptr);
    EXPECT_EQ(rows(), stopped);
    EXPECT_EQ(server.requests().size(), 3) << "a day with its brief is not written again";
    QTest::qWait(200);
    EXPECT_TRUE(
        view->screen()->grabWindow(0).save(test::snapshotFolder("coach") + "/on-the-desktop.png"));
    const QByteArray stored = folder.read(QStringLiteral("coach.json"));
    EXPECT_TRUE(stored.contains("最弱的是"));
    EXPECT_TRUE(stored.contains("\"shown\": \"我最近哪里最弱？\""));
    EXPECT_FALSE(stored.contains("sk-coach-view-71c2"));
    EXPECT_FALSE(stored.contains("sync-token-8f3a"));
}

} // namespace
