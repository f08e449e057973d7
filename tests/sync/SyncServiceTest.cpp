#include "SyncDevice.h"

#include "support/FakeSyncServer.h"
#include "sync/CanonicalWordTexts.h"
#include "sync/SyncState.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace glossivo;
using namespace glossivo::testing;
using std::chrono::milliseconds;

namespace {

class SyncServiceTest : public ::testing::Test {
protected:
    SyncServiceTest() { device.connect(server.link()); }

    int downloads() const { return server.requestCount("GET", "/v1/bundle"); }

    FakeSyncServer server;
    SyncDevice device;
};

} // namespace

TEST_F(SyncServiceTest, WithoutASyncCodeNothingHappens)
{
    SyncDevice unconnected;
    QSignalSpy changes(&unconnected.service, &SyncService::changed);
    EXPECT_TRUE(unconnected.sync());
    unconnected.service.start();
    unconnected.timers.active(true)->fire();
    EXPECT_EQ(changes.count(), 0);
    EXPECT_FALSE(unconnected.service.busy());
    EXPECT_FALSE(unconnected.service.lastSyncAt());
    EXPECT_FALSE(unconnected.folder.exists("sync-state.json"));
}

TEST_F(SyncServiceTest, StartRunsAPassAtOnceAndThenEveryTenMinutes)
{
    device.service.start();
    ASSERT_TRUE(FakeChatServer::waitFor([&] { return !device.service.busy(); }));
    EXPECT_EQ(downloads(), 1);

    FakeTimers::Timer* timer = device.timers.active(true);
    ASSERT_TRUE(timer);
    EXPECT_EQ(timer->interval, milliseconds(600'000));
    timer->fire();
    ASSERT_TRUE(
        FakeChatServer::waitFor([&] { return downloads() == 2 && !device.service.busy(); }));
}

TEST_F(SyncServiceTest, APassRunningDropsFurtherTriggers)
{
    server.delayAnswers(200);
    auto first = device.service.syncNow();
    EXPECT_TRUE(device.service.busy());
    EXPECT_TRUE(awaitTask(device.service.syncNow())); // returns at once
    EXPECT_TRUE(device.service.busy());
    EXPECT_TRUE(awaitTask(std::move(first)));
    EXPECT_FALSE(device.service.busy());
    EXPECT_EQ(downloads(), 1);
}

TEST_F(SyncServiceTest, ABurstOfChangesLeadsToOnePassFiveSecondsAfterTheLast)
{
    device.service.start();
    ASSERT_TRUE(FakeChatServer::waitFor([&] { return !device.service.busy(); }));
    server.clearRequests();

    for (int i = 0; i < 10; ++i)
        device.save(QStringLiteral("word%1").arg(i));
    FakeTimers::Timer* soon = device.timers.active(false);
    ASSERT_TRUE(soon);
    EXPECT_EQ(soon->interval, milliseconds(5000));
    int pending = 0;
    for (FakeTimers::Timer* timer : device.timers.made)
        pending += !timer->repeating && timer->active;
    EXPECT_EQ(pending, 1);

    soon->fire();
    ASSERT_TRUE(FakeChatServer::waitFor([&] { return !device.service.busy(); }));
    EXPECT_EQ(downloads(), 1);
    EXPECT_EQ(SyncBundle::parse(server.bundle()).words.size(), 10);
}

TEST_F(SyncServiceTest, AStudySettingChangeAsksForAPassFiveSecondsLater)
{
    AppConfig config = device.config.config();
    config.learningSlots = 12;
    device.config.setConfig(config);
    ASSERT_TRUE(device.timers.active(false));
    EXPECT_EQ(device.timers.active(false)->interval, milliseconds(5000));
}

TEST_F(SyncServiceTest, MergedDataWrittenByAPassSchedulesNoFurtherPass)
{
    SyncDevice other;
    other.connect(server.link());
    other.save("apple");
    ASSERT_TRUE(other.sync());

    device.service.start();
    bool appliedWhileFlagged = false;
    QObject::connect(&device.store, &WordStore::willChange,
                     [&] { appliedWhileFlagged = device.service.applying(); });
    ASSERT_TRUE(FakeChatServer::waitFor([&] { return !device.service.busy(); }));
    EXPECT_EQ(device.headwords(), QStringList({"apple"}));
    EXPECT_TRUE(appliedWhileFlagged);
    EXPECT_FALSE(device.service.applying());
    EXPECT_FALSE(device.timers.active(false));
}

TEST_F(SyncServiceTest, AtRestAPassEncodesNoWordAndAChangeIsStillUploaded)
{
    device.save("run");
    ASSERT_TRUE(device.sync());
    ASSERT_TRUE(device.sync()); // nothing changed: the word book's hash is remembered
    device.service.releaseKept();
    ASSERT_EQ(CanonicalWordTexts::shared().size(), 0);

    ASSERT_TRUE(device.sync());
    EXPECT_EQ(CanonicalWordTexts::shared().size(), 0);
    device.save("walk");
    ASSERT_TRUE(device.sync());
    EXPECT_EQ(SyncBundle::parse(server.bundle()).words.size(), 2);
}

TEST_F(SyncServiceTest, ASuccessClearsTheErrorButKeepsItsDetail)
{
    server.answerAll(500);
    EXPECT_FALSE(device.sync());
    EXPECT_EQ(device.service.lastError(), "服务器出错了（500）");
    EXPECT_EQ(device.service.lastErrorDetail(), "HTTP status 500");
    EXPECT_FALSE(device.service.lastSyncAt());

    server.answerAll(0);
    device.clock.advance(1000);
    EXPECT_TRUE(device.sync());
    EXPECT_FALSE(device.service.lastError());
    EXPECT_EQ(device.service.lastErrorDetail(), "HTTP status 500");
    EXPECT_EQ(device.service.lastSyncAt(), device.clock.now());
}

TEST_F(SyncServiceTest, AtLaunchTheLastSyncTimeComesFromTheStateFileOfAnyServer)
{
    SyncState state{"https://elsewhere.example",
                    3,
                    "abc",
                    QDateTime::fromString("2026-10-01T06:30:00Z", Qt::ISODate),
                    {}};
    ASSERT_TRUE(state.write(device.folder.path("sync-state.json")));
    SyncService launched(device.store, device.config, device.folder.path("sync-state.json"),
                         device.clock, device.timers.factory());
    EXPECT_EQ(launched.lastSyncAt(), state.lastSyncAt);
    EXPECT_FALSE(launched.busy());
    EXPECT_FALSE(launched.lastError());
}

TEST_F(SyncServiceTest, TheConnectionTestNamesWhatIsWrong)
{
    FakeSyncServer impostor(FakeSyncServer::Certificate::other);
    SyncLink unreachable = server.link();
    {
        FakeSyncServer closed;
        unreachable.server = closed.baseURL();
    }
    const struct {
        const char* name;
        std::function<void()> arrange;
        SyncLink link;
        std::optional<QString> expected;
    } cases[] = {
        {"good", [] {}, server.link(), std::nullopt},
        {"refused token", [&] { server.answerAll(401); }, server.link(), "同步码里的密码不对"},
        {"no ping", [&] { server.answerAll(0), server.dropPing(true); }, server.link(),
         "服务器出错了（404）"},
        {"wrong pin", [] {}, impostor.link(), "服务器的证书对不上，可能连到了别的地方"},
        {"unreachable", [] {}, unreachable, "连不上同步服务器（没网，或者服务器停了）"},
    };
    for (const auto& c : cases) {
        c.arrange();
        EXPECT_EQ(awaitTask(SyncService::test(c.link)), c.expected) << c.name;
    }
    EXPECT_EQ(server.requestCount("GET", "/v1/bundle"), 0);
    EXPECT_FALSE(device.folder.exists("sync-state.json"));
}
