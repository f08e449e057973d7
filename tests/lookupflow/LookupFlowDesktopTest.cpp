#include "app/ScreenTriggers.h"
#include "card/CardController.h"
#include "card/DeepSeekCardAI.h"
#include "card/views/CardPanel.h"
#include "model/WordStore.h"
#include "platform/DesktopHelpers.h"
#include "platform/x11/X11PermissionProbe.h"
#include "support/DataFolder.h"
#include "support/FakeChatServer.h"
#include "support/FakeClock.h"
#include "support/FakeDesktopSurface.h"

#include <QAbstractButton>
#include <QCursor>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

using namespace glossivo;
using namespace glossivo::testing;

namespace {

const QString kTitle = QStringLiteral("Reading about luck");

// The lookup as the tray application assembles it, on the real desktop: the screen triggers
// read a selection in another program's window, the card asks the fake chat service, draws the
// answer in its floating panel and saves into a word book in a fresh data folder. The speaker
// only records what it was asked to say.
class LookupFlowDesktopTest : public ::testing::Test {
protected:
    LookupFlowDesktopTest()
    {
        folder.write(QStringLiteral("words.json"), "[]");
        store = std::make_unique<WordStore>(folder.paths(), clock, [this] { return config; });
        config.apiKey = QStringLiteral("sk-lookup-flow-5a1c");
        config.baseURL = server.baseURL();
        // Only the selection gesture: a dwell could open a card of its own meanwhile.
        config.dwellLookup = false;
    }

    void SetUp() override
    {
        if (!desktopAvailable()) GTEST_SKIP() << "needs the test desktop";
        controller = std::make_unique<CardController>(
            CardController::Services{deepSeek, *store, [this] { return config; }, clock});
        triggers = std::make_unique<ScreenTriggers>(
            *controller, [this] { return config; }, permissions);
        controller->setHooks({[this] { return triggers->pageSource(); },
                              {},
                              {},
                              [this](const QString& text) { spoken.append(text); }});
        panel = std::make_unique<CardPanel>(controller->model(), *controller, desktop);
        controller->setSurface(panel.get());
        ASSERT_TRUE(triggers->start());
    }

    void TearDown() override
    {
        if (triggers) triggers->stop();
        if (controller) controller->setSurface(nullptr);
    }

    // The named child on the card; pieces replaced by a redraw are hidden until they go.
    template <class T = QWidget> T* find(const char* name) const
    {
        for (T* child : panel->findChildren<T*>(QString::fromLatin1(name)))
            if (child->isVisibleTo(panel.get())) return child;
        return nullptr;
    }

    QString labelText(const char* name) const
    {
        const QLabel* label = find<QLabel>(name);
        return label ? label->text() : QString();
    }

    // A real click of the pointer on the button. The click goes out only once the button has
    // seen the pointer come in, so the panel is where the button thinks it is.
    static bool click(QAbstractButton* button)
    {
        const QPoint centre = button->mapToGlobal(button->rect().center());
        xdotool({QStringLiteral("mousemove"), QString::number(centre.x()),
                 QString::number(centre.y())});
        if (!QTest::qWaitFor([button] { return button->underMouse(); }, 5000)) return false;
        xdotool({QStringLiteral("click"), QStringLiteral("1")});
        return true;
    }

    // What the card shows, for a failure message.
    QString cardState() const
    {
        const CardState& state = controller->state();
        if (const auto* error = state.as<CardState::Error>())
            return QStringLiteral("error ") + error->message;
        return QStringLiteral("state %1, %2 requests to the AI")
            .arg(state.value.index())
            .arg(server.requests().size());
    }

    DataFolder folder;
    FakeClock clock;
    AppConfig config;
    FakeChatServer server;
    DeepSeekCardAI deepSeek{[this] { return config; }};
    std::unique_ptr<WordStore> store;
    X11PermissionProbe permissions;
    QStringList spoken;
    std::unique_ptr<CardController> controller;
    std::unique_ptr<ScreenTriggers> triggers;
    glossivo::testing::FakeDesktopSurface desktop;
    std::unique_ptr<CardPanel> panel;
};

TEST_F(LookupFlowDesktopTest, ASelectedWordBecomesACardThatSavesAndSpeaksIt)
{
    server.enqueue(FakeReply::chatContent(
        R"({"headword": "serendipity", "pos": "n.", "meaning_zh": "机缘巧合",
            "sentence": "Serendipity is a happy accident.",
            "sentence_zh": "机缘巧合是一场幸福的意外。", "surface_form": "Serendipity"})"));
    const HelperWindow window(QStringLiteral(GLOSSIVO_TEXT_WINDOW),
                              {QStringLiteral("--title"), kTitle});
    ASSERT_TRUE(window.isReady());

    doubleClick(window.point(QStringLiteral("lineedit")) + QPoint(20, 0));
    ASSERT_TRUE(QTest::qWaitFor(
        [this] { return panel->isVisible() && labelText("headwordLabel") == u"serendipity"; },
        20000))
        << "no word card: " << cardState().toStdString();
    EXPECT_EQ(labelText("meaningLabel"), QStringLiteral("机缘巧合"));
    ASSERT_EQ(server.requests().size(), 1);
    const QString asked = server.requests()
                              .at(0)
                              .json()["messages"]
                              .toArray()
                              .at(1)
                              .toObject()
                              .value("content")
                              .toString();
    EXPECT_TRUE(asked.contains(QStringLiteral("Serendipity is a happy accident.")))
        << asked.toStdString();

    auto* save = find<QAbstractButton>("saveButton");
    ASSERT_NE(save, nullptr);
    ASSERT_TRUE(click(save));
    ASSERT_TRUE(QTest::qWaitFor([this] { return find("savedLabel") != nullptr; }, 10000));
    const QJsonArray words = QJsonDocument::fromJson(folder.read("words.json")).array();
    ASSERT_EQ(words.size(), 1);
    const QJsonObject word = words[0].toObject();
    EXPECT_EQ(word["headword"].toString(), QStringLiteral("serendipity"));
    const QJsonArray examples = word["examples"].toArray();
    ASSERT_EQ(examples.size(), 1);
    const QJsonObject example = examples[0].toObject();
    EXPECT_EQ(example["sentence"].toString(), QStringLiteral("Serendipity is a happy accident."));
    EXPECT_EQ(example["sourceApp"].toString(), QStringLiteral("glossivo-text-window"));
    EXPECT_EQ(example["sourceTitle"].toString(), kTitle);

    // The card stays up after the save, and its speak button reaches the speaker.
    auto* speak = find<QAbstractButton>("speakButton");
    ASSERT_NE(speak, nullptr);
    ASSERT_TRUE(click(speak));
    EXPECT_TRUE(QTest::qWaitFor([this] { return !spoken.isEmpty(); }, 10000));
    EXPECT_EQ(spoken, QStringList{QStringLiteral("serendipity")});
    EXPECT_TRUE(panel->isVisible());
}

} // namespace
