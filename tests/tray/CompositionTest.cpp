#include "app/SingleInstance.h"
#include "app/TrayApplication.h"
#include "support/DataFolder.h"
#include "support/FakeSyncServer.h"
#include "sync/SyncService.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <gtest/gtest.h>

namespace glossivo {
namespace {

using testing::DataFolder;
using testing::FakeSyncServer;

// The tray as the program composes it from the process's own stores, services and desktop
// backends, not from fakes: its menu offers the windows it can open, and sync starts with it.
// (Each test runs in a process of its own, so the process-wide objects start here.)
TEST(TrayComposition, TheRunningTrayOffersItsWindowsAndStartsSync)
{
    if (!qEnvironmentVariableIsSet("GLOSSIVO_DESKTOP_TESTS") ||
        !qEnvironmentVariableIsSet("DISPLAY"))
        GTEST_SKIP() << "needs the test desktop (scripts/test)";
    const DataFolder folder;
    FakeSyncServer server;
    const SyncLink link = server.link();
    folder.write("config.json", QJsonDocument(QJsonObject{{"apiKey", "sk-composition-0001"},
                                                          {"syncServer", link.server},
                                                          {"syncToken", link.token},
                                                          {"syncPin", link.pin}})
                                    .toJson());
    folder.write("sync-state.json.tmp-aB3xQ9", "{");
    folder.write("coach.json.tmp-Zz09Yy", "[");
    qputenv("GLOSSIVO_DATA_DIR", folder.paths().supportDir().toLocal8Bit());

    SingleInstance instance(SingleInstance::channelName(folder.paths().supportDir()));
    ASSERT_TRUE(instance.claim());
    TrayComposition composition(instance);
    composition.delegate().launch();

    QStringList rows;
    for (const StatusMenuItem& item : composition.delegate().menuController().open())
        rows.append(item.title);
    for (const QString row : {"查词…", "设置…", "退出 Glossivo"})
        EXPECT_TRUE(rows.contains(row)) << rows.join(u'|').toStdString();
    EXPECT_TRUE(
        QTest::qWaitFor([] { return SyncService::shared().lastSyncAt().has_value(); }, 20000));
    EXPECT_EQ(server.requestCount("GET", "/v1/bundle"), 1);
    EXPECT_EQ(SyncService::shared().lastError(), std::nullopt);
    // What killed writes left beside sync-state.json and coach.json is gone.
    EXPECT_FALSE(folder.exists("sync-state.json.tmp-aB3xQ9"));
    EXPECT_FALSE(folder.exists("coach.json.tmp-Zz09Yy"));
}

} // namespace
} // namespace glossivo
