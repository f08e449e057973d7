#include "SyncDevice.h"

#include "support/FakeSyncServer.h"
#include "sync/SyncSectionState.h"

#include <QSignalSpy>
#include <QTimeZone>

#include <gtest/gtest.h>

using namespace glossivo;
using namespace glossivo::testing;

namespace {

class SyncSection : public ::testing::Test {
protected:
    SyncSection()
        : section(device.config, device.service, device.clock,
                  [this](const QString& text) { clipboard = text; })
    {}

    bool settled()
    {
        return FakeChatServer::waitFor(
            [&] { return !section.connecting() && !device.service.busy(); });
    }
    QJsonObject configOnDisk() const
    {
        return QJsonDocument::fromJson(device.folder.read("config.json")).object();
    }

    FakeSyncServer server;
    SyncDevice device;
    QString clipboard;
    SyncSectionState section;
};

} // namespace

TEST_F(SyncSection, EmptyInputDisablesConnectAndBlanksAreNotACode)
{
    EXPECT_FALSE(section.link());
    EXPECT_FALSE(section.connectEnabled());
    EXPECT_EQ(section.connectLabel(), "连接");
    section.setInput("   ");
    EXPECT_TRUE(section.connectEnabled());
    section.connect();
    EXPECT_EQ(section.message(), "这不是同步码。同步码以 glossivo://sync? 开头");
    EXPECT_FALSE(section.connecting());
    EXPECT_EQ(section.input(), "   ");
    EXPECT_FALSE(device.folder.exists("config.json"));
    EXPECT_TRUE(server.requests().isEmpty());
}

TEST_F(SyncSection, AFailedCheckKeepsTheCodeAndAGoodOneConnectsAndSyncsOnce)
{
    const QString pasted = "码：" + server.link().text();
    server.answerAll(401);
    server.delayAnswers(150);
    section.setInput(pasted);
    section.connect();
    EXPECT_TRUE(section.connecting());
    EXPECT_EQ(section.connectLabel(), "连接中…");
    EXPECT_FALSE(section.connectEnabled());
    section.setInput(pasted + " "); // the field stays editable
    section.setInput(pasted);
    ASSERT_TRUE(settled());
    EXPECT_EQ(section.message(), "同步码里的密码不对");
    EXPECT_EQ(section.input(), pasted);
    EXPECT_FALSE(section.link());

    server.answerAll(0);
    QSignalSpy configChanges(&device.config, &ConfigStore::configChanged);
    bool sawBusyFace = false;
    QObject::connect(&section, &SyncSectionState::changed, [&] {
        if (section.link() && device.service.busy())
            sawBusyFace = section.syncLabel() == "正在同步…" && section.status() == "正在同步…" &&
                          !section.syncEnabled();
    });
    section.connect();
    EXPECT_FALSE(section.message());
    ASSERT_TRUE(settled());
    EXPECT_FALSE(section.message());
    EXPECT_EQ(section.input(), "");
    EXPECT_EQ(configChanges.count(), 3);
    EXPECT_EQ(configOnDisk()["syncServer"].toString(), server.baseURL());
    EXPECT_EQ(configOnDisk()["syncPin"].toString(), server.link().pin);
    EXPECT_EQ(section.link(), server.link());
    EXPECT_TRUE(sawBusyFace);
    EXPECT_EQ(server.requestCount("GET", "/v1/bundle"), 1);
    EXPECT_EQ(section.status(), "上次同步：刚刚");
}

TEST_F(SyncSection, TheServerLineNamesTheHostAlone)
{
    const struct {
        QString server;
        QString line;
    } cases[] = {
        {"https://sync.example.org:8443/base", "已连接 sync.example.org"},
        {"https://h.example", "已连接 h.example"},
        {"no url here", "已连接 no url here"},
    };
    for (const auto& c : cases) {
        device.connect({c.server, "token-0123456789", "pin"});
        EXPECT_EQ(section.serverLine(), c.line);
    }
}

TEST_F(SyncSection, TheStatusLineFollowsBusyThenErrorThenTheTime)
{
    device.connect(server.link());
    EXPECT_EQ(section.status(), "还没同步过");
    // 09:05 in Shanghai, where the tests run.
    device.clock.set(QDateTime(QDate(2027, 3, 7), QTime(1, 5), QTimeZone::utc()));
    ASSERT_TRUE(device.sync());
    const QDateTime synced = device.clock.now();
    const struct {
        qint64 seconds;
        QString text;
    } times[] = {
        {-120, "上次同步：刚刚"},
        {59, "上次同步：刚刚"},
        {60, "上次同步：1 分钟前"},
        {5 * 60 + 30, "上次同步：5 分钟前"},
        {59 * 60 + 59, "上次同步：59 分钟前"},
        {60 * 60, "上次同步：3 月 7 日 09:05"},
        {40 * 86400, "上次同步：3 月 7 日 09:05"},
    };
    for (const auto& t : times) {
        device.clock.set(synced.addSecs(t.seconds));
        EXPECT_EQ(section.status(), t.text) << t.seconds;
        EXPECT_FALSE(section.statusIsWarning());
    }

    server.answerAll(500);
    EXPECT_FALSE(device.sync());
    EXPECT_EQ(section.status(), "服务器出错了（500）。会自动再试");
    EXPECT_TRUE(section.statusIsWarning());

    server.delayAnswers(150);
    auto pass = device.service.syncNow();
    EXPECT_EQ(section.status(), "正在同步…");
    EXPECT_TRUE(section.statusIsWarning()); // the colour follows the error alone
    awaitTask(std::move(pass));
}

TEST_F(SyncSection, DisconnectEmptiesTheThreeValuesAndNothingElse)
{
    device.connect(server.link());
    server.answerAll(500);
    device.sync();
    section.toggleQR();
    section.copyCode();
    const QByteArray stateFile = device.folder.read("sync-state.json");

    section.disconnect();
    EXPECT_FALSE(section.link());
    EXPECT_EQ(configOnDisk()["syncServer"].toString(), "");
    EXPECT_EQ(configOnDisk()["syncToken"].toString(), "");
    EXPECT_EQ(configOnDisk()["syncPin"].toString(), "");
    EXPECT_EQ(device.service.lastError(), "服务器出错了（500）");
    EXPECT_EQ(device.folder.read("sync-state.json"), stateFile);
    EXPECT_TRUE(section.showQR());
    EXPECT_TRUE(section.copied());

    device.connect(server.link());
    EXPECT_EQ(section.status(), "服务器出错了（500）。会自动再试");
}

TEST_F(SyncSection, CopyPutsExactlyTheCodeOnTheClipboardAndTheQrButtonFlips)
{
    device.connect(server.link());
    EXPECT_EQ(section.copyLabel(), "复制同步码");
    section.copyCode();
    EXPECT_EQ(clipboard, server.link().text());
    EXPECT_EQ(section.copyLabel(), "已复制");
    clipboard.clear();
    section.copyCode();
    EXPECT_EQ(clipboard, server.link().text());

    EXPECT_EQ(section.qrLabel(), "显示二维码");
    section.toggleQR();
    EXPECT_EQ(section.qrLabel(), "隐藏二维码");
    section.toggleQR();
    EXPECT_FALSE(section.showQR());
}
