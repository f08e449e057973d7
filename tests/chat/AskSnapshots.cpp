#include "ChatFixture.h"
#include "support/LayoutCheck.h"
#include "support/Snapshots.h"

#include <QImage>
#include <QTest>

#include <functional>

using namespace glossivo;
using glossivo::testing::ChatFixture;
using glossivo::testing::FakeChatServer;
using glossivo::testing::FakeReply;

namespace {

// Pictures of the chat window in its states, light and dark, in the build's snapshots/chat, for
// review by eye (the @2x set comes from the run at twice the scale), each checked for a layout
// that holds.
class AskSnapshots : public ChatFixture {
protected:
    void ask(const QString& question, const QString& reply)
    {
        server.enqueue(answer({reply}));
        session->setInput(question);
        session->send();
        ASSERT_TRUE(waitUntilIdle());
    }

    void conversation()
    {
        session->start(wordContext());
        ask(QStringLiteral("这里为什么用 ran 而不是 run？"),
            QStringLiteral("因为这句话讲的是**已经发生的事**，所以用过去式 `ran`。\n"
                           "- `run` 是原形\n- `ran` 是过去式\n- `run` 也是过去分词"));
        ASSERT_FALSE(session->messages().isEmpty());
        session->save(session->messages().last().id);
        ask(QStringLiteral("all the way 是什么意思？"),
            QStringLiteral("*all the way* 表示「一路、全程」，比如 ~~half way~~ 就不对了。"
                           "详见 [词典](https://dictionary.example/all-the-way)。"));
    }

    static QString longPassage()
    {
        return QStringLiteral(
            "After the rain finally stopped late in the afternoon, we ran all the way home "
            "through the park, laughing at how soaked we were, and promised each other that "
            "next time we would actually check the weather before leaving the house.");
    }
};

TEST_F(AskSnapshots, TheChatWindowInLightAndDark)
{
    const QList<std::pair<const char*, std::function<void()>>> states{
        {"empty", [this] { session->start(wordContext()); }},
        {"conversation", [this] { conversation(); }},
        {"thinking",
         [this] {
             conversation();
             server.enqueue(answer({}, FakeReply::Ending::hold));
             const qsizetype before = server.requests().size();
             session->send(QStringLiteral("再举几个例子"));
             // Taken by the server, so that the held reply is not left for the next question.
             ASSERT_TRUE(FakeChatServer::waitFor(
                 [this, before] { return server.requests().size() > before; }));
         }},
        {"error",
         [this] {
             session->start(wordContext());
             server.enqueue(FakeReply::text(402, "{}"));
             session->send(QStringLiteral("为什么？"));
             ASSERT_TRUE(waitUntilIdle());
         }},
        {"long-passage", [this] { session->start(wordContext(longPassage())); }},
        {"long-passage-expanded",
         [this] {
             session->start(wordContext(longPassage()));
             find<QAbstractButton>("expandButton")->click();
         }},
        {"typing",
         [this] {
             session->start(AskContext{QStringLiteral("The build failed."),
                                       QStringLiteral("构建失败了。"), std::nullopt, std::nullopt,
                                       std::nullopt});
             session->setInput(QStringLiteral("第一行\n第二行\n第三行\n第四行\n第五行\n第六行"));
         }},
    };
    for (const bool dark : {false, true}) {
        for (const auto& [name, setUp] : states) {
            SCOPED_TRACE(name);
            makeView(dark);
            host->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(host.get()));
            setUp();
            QTest::qWait(50);
            // A field that grew asks its row for room once its text is laid out, which a loaded
            // machine may not have got to yet: a fault that stays is one the user would see.
            (void)QTest::qWaitFor([this] { return test::layoutFaults(host.get()).empty(); }, 2000);
            QImage image = host->grab().toImage();
            // A second run under QT_SCALE_FACTOR=2 writes the same window at twice the pixels.
            const QString scale = image.devicePixelRatio() > 1 ? QStringLiteral("@2x") : QString();
            const QString path = glossivo::test::snapshotFolder(QStringLiteral("chat")) +
                                 QLatin1Char('/') + QString::fromLatin1(name) +
                                 (dark ? QStringLiteral("-dark") : QString()) + scale +
                                 QStringLiteral(".png");
            ASSERT_TRUE(image.save(path));
            EXPECT_GT(test::colourCount(image), 3);
            EXPECT_EQ(test::layoutFaults(host.get()), "");
            session->stop();
            host.reset();
        }
    }
}

} // namespace
