#include "card/AddWordFixture.h"

#include "card/views/AddWordWindow.h"
#include "model/FolderLock.h"
#include "support/DarkPalette.h"
#include "support/LayoutCheck.h"
#include "support/Snapshots.h"

#include <QImage>
#include <QTest>

using namespace glossivo;
using glossivo::testing::AddWordFixture;
using glossivo::testing::FakeChatServer;
using glossivo::testing::FakeReply;

namespace {

// Pictures of the add-word window in each of its states, light and dark, in the build's
// snapshots/addword, reached the way a user reaches them. Only blankness is checked.
class AddWordSnapshots : public AddWordFixture {
protected:
    AddWordState& state() { return window->state(); }
    void lookUp(const QString& query, bool wait = true)
    {
        state().lookup(query);
        if (wait) FakeChatServer::waitFor([this] { return !state().loading(); });
    }

    // Everything an answer can show: a correction, a register, notes and alternatives.
    static QJsonObject full()
    {
        QJsonObject reply = word("receive");
        reply["corrected"] = true;
        reply["register"] = "formal";
        reply["about_zh"] = QStringLiteral("常用动词，表示收到东西或消息。");
        reply["definition_en"] = "to get or be given something, such as a letter or a message";
        reply["sentence"] = "Did you receive my letter, or did it get lost on the way?";
        reply["alternatives"] = QJsonArray{
            QJsonObject{{"text", "get"}, {"meaning_zh", QStringLiteral("更口语，日常说话最常用")}},
            QJsonObject{{"text", "be given"},
                        {"meaning_zh", QStringLiteral("强调是别人给的，被动的说法")}}};
        return reply;
    }

    void reach(const QString& shot)
    {
        if (shot == "sentence") {
            state().setWord(QStringLiteral("ran"));
            state().revealSentence();
            state().setSentence(QStringLiteral("After the rain stopped, we ran all the way "
                                               "home through the park and laughed."));
        } else if (shot == "loading") {
            FakeReply slow = FakeReply::chatContent(QStringLiteral("{}"));
            slow.delayMilliseconds = 300;
            server.enqueue(slow);
            lookUp(QStringLiteral("reluctant"), false);
        } else if (shot == "result") {
            answer(full());
            lookUp(QStringLiteral("recieve"));
        } else if (shot == "existing-spelling" || shot == "saved") {
            Explanation known;
            known.headword = QStringLiteral("receive");
            known.meaningZh = QStringLiteral("收到");
            if (shot == "existing-spelling") store->addSpellPractice(known);
            answer(word("receive"));
            lookUp(QStringLiteral("receive"));
            if (shot == "saved") state().save();
        } else if (shot == "long") {
            QJsonObject reply = word("the incomprehensibilities of bureaucracy");
            reply["phonetic"] = "/ˌɪnkɒmprɪˌhensəˈbɪlətiz əv bjʊəˈrɒkrəsi/";
            reply["register"] = "formal";
            reply["alternatives"] = QJsonArray{QJsonObject{
                {"text", "red tape that nobody can make sense of, whatever they try"},
                {"meaning_zh", QStringLiteral("口语里常说的繁文缛节，带一点抱怨的语气")}}};
            answer(reply);
            lookUp(QStringLiteral("官僚机构让人无法理解的地方"));
        } else if (shot == "waiting") {
            // Another process in the middle of its turn holds the save back.
            store->setLockWait(std::chrono::milliseconds(0), std::chrono::seconds(5));
            turnOfAnother = std::make_unique<FolderLock>(folder.paths().wordBookLock());
            ASSERT_EQ(turnOfAnother->acquire({}), FolderLock::State::held);
            answer(word("receive"));
            lookUp(QStringLiteral("receive"));
            state().save();
            ASSERT_TRUE(state().waiting());
        } else if (shot == "save-failed") {
            answer(word("receive"));
            lookUp(QStringLiteral("receive"));
            blockWrites();
            state().save();
        } else if (shot == "error") {
            config.apiKey.clear();
            lookUp(QStringLiteral("reluctant"));
        }
    }

    std::unique_ptr<AddWordWindow> window;
    std::unique_ptr<FolderLock> turnOfAnother;
};

TEST_F(AddWordSnapshots, EveryStateInLightAndDark)
{
    const QString pictures = glossivo::test::snapshotFolder(QStringLiteral("addword"));
    for (const bool dark : {false, true}) {
        for (const char* shot : {"idle", "sentence", "loading", "result", "long",
                                 "existing-spelling", "error", "saved", "waiting", "save-failed"}) {
            SCOPED_TRACE(shot);
            QDir(folder.path({})).removeRecursively();
            QDir().mkpath(folder.path({}));
            store = std::make_unique<WordStore>(folder.paths(), clock, [this] { return config; });
            config.apiKey = QStringLiteral("sk-test-add-word");
            window = std::make_unique<AddWordWindow>(*store, configSource(), [](const QString&) {});
            // Set after the window is built: the theme also changes while it is open.
            if (dark) window->setPalette(glossivo::testing::darkPalette());
            window->show();
            reach(QString::fromLatin1(shot));
            QTest::qWait(1);
            EXPECT_EQ(test::layoutFaults(window.get()), "");
            const QImage image = window->grab().toImage();
            const QString path = pictures + QLatin1Char('/') + QString::fromLatin1(shot) +
                                 (dark ? QStringLiteral("-dark") : QString()) +
                                 QStringLiteral(".png");
            ASSERT_TRUE(image.save(path));
            EXPECT_GT(test::colourCount(image), 3);
            // Nothing is left running into the next picture.
            FakeChatServer::waitFor([this] { return !state().loading(); });
            window.reset();
            turnOfAnother.reset();
        }
    }
}

} // namespace
