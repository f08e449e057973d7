#include "app/QtTranslations.h"
#include "ai/DeepSeekClient.h"
#include "ai/TransportError.h"
#include "support/AwaitTask.h"

#include <QTcpServer>

#include <gtest/gtest.h>

using namespace glossivo;

// The card, the chat and the add-word window show the network layer's own message when the AI
// service cannot be reached; with Qt's translations installed it reads in Chinese.
TEST(QtTranslations, NetworkFailuresOfTheAIServiceReadInChinese)
{
    QObject owner;
    ASSERT_TRUE(QtTranslations::install(&owner));
    // A port that was just free: nothing listens there.
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
    const quint16 closed = probe.serverPort();
    probe.close();

    const struct {
        QString address;
        QString text;
    } cases[] = {
        {QStringLiteral("http://glossivo-test.invalid"), QStringLiteral("没有找到")},
        {QStringLiteral("http://127.0.0.1:%1").arg(closed), QStringLiteral("连接被拒绝")},
    };
    for (const auto& c : cases) {
        AppConfig config;
        config.apiKey = QStringLiteral("sk-test");
        config.baseURL = c.address;
        try {
            glossivo::testing::awaitTask(
                DeepSeekClient(config).explain(QStringLiteral("word"), {}));
            ADD_FAILURE() << "no failure for " << c.address.toStdString();
        } catch (const TransportError& error) {
            EXPECT_TRUE(error.message().contains(c.text)) << error.message().toStdString();
        }
    }
}
