#include "app/AppDelegate.h"
#include "card/AskSession.h"
#include "card/views/AskView.h"
#include "model/ConfigStore.h"
#include "model/LearningLog.h"
#include "model/WordStore.h"
#include "support/DataFolder.h"
#include "support/FakeChatServer.h"
#include "support/FakeClock.h"
#include "support/FakePlatform.h"

#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace glossivo;
using namespace glossivo::testing;

namespace {

// The delegate's sentence chat, over a fresh data folder and the fake chat service.
class ShowAsk : public ::testing::Test {
protected:
    ShowAsk()
    {
        config = std::make_unique<ConfigStore>(folder.paths().config(), clock);
        AppConfig changed = config->config();
        changed.apiKey = QStringLiteral("sk-show-ask-93d0");
        changed.baseURL = server.baseURL();
        config->setConfig(changed);
        store =
            std::make_unique<WordStore>(folder.paths(), clock, [this] { return config->config(); });
        log = std::make_unique<LearningLog>(folder.paths().log(), clock);
        AppDelegate::Services services;
        services.config = config.get();
        services.words = store.get();
        services.log = log.get();
        services.permissions = &permissions;
        services.front = &front;
        services.launchAtLogin = &launchAtLogin;
        services.supportDir = folder.paths().supportDir();
        delegate = std::make_unique<AppDelegate>(services);
    }

    static AskContext context(const QString& passage)
    {
        return {passage, std::nullopt, std::nullopt, std::nullopt, std::nullopt};
    }

    FakeChatServer server;
    DataFolder folder;
    FakeClock clock;
    FakePermissionSource permissions;
    FakeFrontApplication front;
    FakeLaunchAtLogin launchAtLogin;
    std::unique_ptr<ConfigStore> config;
    std::unique_ptr<WordStore> store;
    std::unique_ptr<LearningLog> log;
    std::unique_ptr<AppDelegate> delegate;
};

TEST_F(ShowAsk, OneKeptWindowWhoseClosingStopsTheAnswer)
{
    server.enqueue(FakeReply::events({FakeReply::deltaEvent(QStringLiteral("一半"))},
                                     FakeReply::Ending::hold));
    delegate->showAsk(context(QStringLiteral("The build failed.")), QuickQuestion::structure);
    AskView* window = delegate->askWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isWindow());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("问 AI"));
    EXPECT_EQ(window->size(), QSize(460, 600));
    EXPECT_EQ(window->minimumSize(), QSize(380, 360));
    EXPECT_EQ(window->focusWidget()->objectName(), QStringLiteral("questionField"));
    AskSession& session = delegate->askSession();
    EXPECT_TRUE(session.isAnswering());
    EXPECT_EQ(session.messages().first().text, QStringLiteral("拆解句子结构"));
    ASSERT_TRUE(FakeChatServer::waitFor(
        [&session] { return session.messages().last().text == QStringLiteral("一半"); }));

    window->close();
    EXPECT_FALSE(session.isAnswering()) << "a closed window does not go on answering";
    EXPECT_EQ(session.messages().last().text, QStringLiteral("一半"));
    ASSERT_EQ(delegate->askWindow(), window) << "kept after closing";
    EXPECT_FALSE(window->isVisible());
    ASSERT_TRUE(FakeChatServer::waitFor([this] { return server.openConnections() == 0; }));

    window->move(30, 40);
    const QPoint moved = window->pos();
    delegate->showAsk(context(QStringLiteral("Another passage.")), std::nullopt);
    EXPECT_EQ(delegate->askWindow(), window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->pos(), moved) << "centred only when it is made";
    EXPECT_EQ(session.context().original, QStringLiteral("Another passage."));
    EXPECT_TRUE(session.messages().isEmpty());
}

} // namespace
