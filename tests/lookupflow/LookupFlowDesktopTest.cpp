#include "app/ApplicationNames.h"
#include "app/ScreenTriggers.h"
#include "card/CardController.h"
#include "card/DeepSeekCardAI.h"
#include "card/views/CardPanel.h"
#include "input/DevicePixels.h"
#include "model/WordStore.h"
#include "platform/DesktopHelpers.h"
#include "platform/qt/QtScreens.h"
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
#include <QScreen>
#include <QTemporaryDir>
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
            *controller, [this] { return config; }, permissions,
            [names = ApplicationNames::standard()](const QString& id) {
                return names.displayName(id);
            });
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

    // Saves the word on the card, the first in the word book, and gives its example.
    QJsonObject savesTheWord() const
    {
        auto* save = find<QAbstractButton>("saveButton");
        EXPECT_TRUE(save && click(save) &&
                    QTest::qWaitFor([this] { return find("savedLabel") != nullptr; }, 10000));
        const QJsonArray words = QJsonDocument::fromJson(folder.read("words.json")).array();
        EXPECT_EQ(words.size(), 1);
        return words.at(0)["examples"][0].toObject();
    }

    // The message the card's request put to the AI service.
    QString asked(qsizetype request) const
    {
        return server.requests()
            .at(request)
            .json()["messages"]
            .toArray()
            .at(1)
            .toObject()
            .value("content")
            .toString();
    }

    // A reply that explains `word`.
    static FakeReply explanationOf(const QString& word)
    {
        return FakeReply::chatContent(
            QStringLiteral(R"({"headword": "%1", "pos": "v.", "meaning_zh": "词义",
                "sentence": "They %1.", "sentence_zh": "他们。", "surface_form": "%1"})")
                .arg(word));
    }

    // Double-clicks `word` at `at` and waits for its card, then closes it with Escape. A word
    // not looked up before is asked of the AI service with `phrase`, the word amid its
    // neighbours on the screen, in its context.
    void selectsIntoACard(QPoint at, const QString& word, const QString& phrase)
    {
        const qsizetype before = server.requests().size();
        server.enqueue(explanationOf(word));
        doubleClick(at);
        ASSERT_TRUE(QTest::qWaitFor(
            [this, &word] { return panel->isVisible() && labelText("headwordLabel") == word; },
            20000))
            << "no card for " << word.toStdString() << ": " << cardState().toStdString();
        if (server.requests().size() > before) {
            EXPECT_TRUE(asked(before).startsWith(QStringLiteral("Selection: ") + word + u'\n'))
                << asked(before).toStdString();
            EXPECT_TRUE(asked(before).contains(phrase)) << asked(before).toStdString();
        }
        xdotool({QStringLiteral("key"), QStringLiteral("Escape")});
        ASSERT_TRUE(QTest::qWaitFor([this] { return !panel->isVisible(); }, 5000));
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
    EXPECT_TRUE(asked(0).contains(QStringLiteral("Serendipity is a happy accident.")))
        << asked(0).toStdString();

    const QJsonObject example = savesTheWord();
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

// Tk takes PRIMARY at its first selection and keeps it while the selection changes: every
// later selection in the same window is read all the same, and no copy is sent into it.
TEST_F(LookupFlowDesktopTest, EverySelectionInATkTextOpensItsCard)
{
    const HelperWindow window(QStringLiteral("python3"),
                              {QStringLiteral(GLOSSIVO_TK_WINDOW),
                               QStringLiteral("Most people admit that they were wrong about it."),
                               QStringLiteral("900x160+100+300")});
    ASSERT_TRUE(window.isReady());

    selectsIntoACard(
        window.point("people"), QStringLiteral("people"),
        QStringLiteral("Surrounding text: Most people admit that they were wrong about it."));
    selectsIntoACard(window.point("admit"), QStringLiteral("admit"),
                     QStringLiteral("Most people admit that they"));
    const QPoint line = window.point("line");
    xdotool({QStringLiteral("mousemove"), QString::number(line.x()), QString::number(line.y()),
             QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("3"), "1"});
    ASSERT_TRUE(QTest::qWaitFor(
        [this] { return controller->state().as<CardState::TranslateOffer>() != nullptr; }, 20000))
        << cardState().toStdString();
    xdotool({QStringLiteral("key"), QStringLiteral("Escape")});
    ASSERT_TRUE(QTest::qWaitFor([this] { return !panel->isVisible(); }, 5000));
    selectsIntoACard(window.point("were"), QStringLiteral("were"),
                     QStringLiteral("that they were wrong about it."));
    selectsIntoACard(window.point("people"), QStringLiteral("people"), {});
    // A double-click on the bare desktop selects nothing; Tk keeps the focus and its selection.
    const qsizetype asked = server.requests().size();
    doubleClick(QPoint(1200, 700));
    QTest::qWait(1500);
    EXPECT_FALSE(panel->isVisible()) << cardState().toStdString();
    EXPECT_EQ(server.requests().size(), asked);
    EXPECT_EQ(output(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--name"),
                                                 QStringLiteral("copied")}),
              QByteArray());
}

// xterm takes PRIMARY anew at every selection and never gets a copy; the context read from the
// screen holds the selected word, which its highlight hides, amid its line.
TEST_F(LookupFlowDesktopTest, ASelectionInXtermHasItsLineAsContext)
{
    // Terminals are left alone unless the user takes them off the excluded list.
    config.excludedBundleIDs.clear();
    const HelperWindow window(
        QStringLiteral("python3"),
        {QStringLiteral(GLOSSIVO_XTERM_WINDOW),
         QStringLiteral("I was reluctant to post this photo of the bridge.")});
    ASSERT_TRUE(window.isReady());
    selectsIntoACard(window.point("reluctant"), QStringLiteral("reluctant"),
                     QStringLiteral("Surrounding text: I was reluctant to post this photo"));
    selectsIntoACard(window.point("bridge"), QStringLiteral("bridge"),
                     QStringLiteral("photo of the bridge"));
}

// Firefox with its accessibility on reports the page's selection in the paragraph embedded in
// its document. PRIMARY gives the word as well, and the screen a line's worth of context; only
// the accessibility reading gives the whole sentence, which reaches out of the strip read on the
// screen and holds the text of a link. The ship before "quiet" is one character of the bus's
// offsets and two units of Qt's text, and leaves out the U+FEFF that Firefox pads it with.
TEST_F(LookupFlowDesktopTest, EveryWordSelectedInFirefoxOpensItsCardWithItsSentence)
{
    // Firefox's accessibility answers late on a busy machine: the test runs alone, in its own
    // CTest entry (tests/CMakeLists.txt).
    if (!qEnvironmentVariableIsSet("GLOSSIVO_FIREFOX_TEST")) GTEST_SKIP() << "runs on its own";
    const QString sentence =
        QStringLiteral("The harbour \U0001F6A2 was quiet when the %1 arrived, and nobody "
                       "on the pier looked up from the nets.");
    const QTemporaryDir pageFolder;
    const HelperWindow window(
        QStringLiteral("python3"),
        {QStringLiteral(GLOSSIVO_FIREFOX_WINDOW), pageFolder.path(),
         QStringLiteral("I was reluctant to post this photo of the bridge."),
         sentence.arg(QStringLiteral("<a href=\"https://a.org/\">ferry</a>"))});
    ASSERT_TRUE(window.isReady());
    selectsIntoACard(window.point("reluctant"), QStringLiteral("reluctant"),
                     QStringLiteral("I was reluctant to post this photo of the bridge."));
    selectsIntoACard(window.point("harbour"), QStringLiteral("harbour"),
                     sentence.arg(QStringLiteral("ferry")));
    selectsIntoACard(window.point("quiet"), QStringLiteral("quiet"),
                     sentence.arg(QStringLiteral("ferry")));
    // A drag ends beside the word it selected: the selection is read, not what lies there.
    server.enqueue(explanationOf(QStringLiteral("photo")));
    drag(window.point("photo<"), window.point("photo>") + QPoint(4, 0));
    ASSERT_TRUE(QTest::qWaitFor(
        [this] { return panel->isVisible() && labelText("headwordLabel") == u"photo"; }, 20000))
        << cardState().toStdString();
    const QJsonObject example = savesTheWord();
    EXPECT_EQ(example["sourceApp"].toString(), QStringLiteral("Firefox ESR"));
    EXPECT_EQ(example["sourceURL"].toString(),
              QStringLiteral("file://") + pageFolder.path() + "/page.html");
}

// Light text on a dark page at a large size, wrapped over two lines in a window wider than the
// strip: the grey highlight of a word on the second line, which the recogniser leaves out,
// neither keeps the rest of the line from being read nor makes its words look cut, nor is lost
// while the pointer reads another line.
TEST_F(LookupFlowDesktopTest, ASelectionOnADarkPageHasBothLinesAsContext)
{
    const HelperWindow window(
        QStringLiteral("python3"),
        {QStringLiteral(GLOSSIVO_TK_WINDOW),
         QStringLiteral("Observers expect the debate to continue well into the next financial "
                        "year, said the mayor on Monday."),
         QStringLiteral("1000x200+100+300"), QStringLiteral("dark")});
    ASSERT_TRUE(window.isReady());
    ASSERT_GT(window.point("mayor").y(), window.point("Observers").y());
    // The strip's sides cut "expect" and "next" and leave "Monday." out.
    selectsIntoACard(
        window.point("mayor"), QStringLiteral("mayor"),
        QStringLiteral("the debate to continue well financial year, said the mayor on"));
    // The highlight stays (with Tk's caret beside it while the window blinks it) when the hover
    // key reads a word of the line above: the highlighted word is read with the rest.
    server.enqueue(explanationOf(QStringLiteral("continue")));
    const QPoint at = window.point("continue");
    xdotool({"mousemove", QString::number(at.x()), QString::number(at.y()), "keydown", "alt"});
    ASSERT_TRUE(QTest::qWaitFor([this] { return labelText("headwordLabel") == "continue"; }, 20000))
        << cardState().toStdString();
    xdotool({"keyup", "alt"});
    EXPECT_TRUE(asked(1).contains("said the mayor on")) << asked(1).toStdString();
}

// On a desktop scaled to 200 % (scripts/desktop-session --scale 2) X counts device pixels, the
// card logical ones: the word under the hover key and a selected word are each asked for with
// their line, and the card's top edge lies 18 logical pixels below the pointer on the word.
class ScaledLookupFlowDesktopTest : public LookupFlowDesktopTest {
protected:
    void SetUp() override
    {
        if (!desktopAvailable() || qApp->primaryScreen()->devicePixelRatio() == 1.0)
            GTEST_SKIP() << "needs a scaled desktop";
        LookupFlowDesktopTest::SetUp();
        const qreal r = qApp->primaryScreen()->devicePixelRatio();
        window = std::make_unique<HelperWindow>(
            QStringLiteral("python3"),
            QStringList{
                QStringLiteral(GLOSSIVO_TK_WINDOW), kLine,
                QStringLiteral("%1x%2+%3+%4").arg(900 * r).arg(160 * r).arg(100 * r).arg(300 * r)});
        ASSERT_TRUE(window->isReady());
    }

    void cardOpensBelow(const QString& word)
    {
        ASSERT_TRUE(QTest::qWaitFor([&] { return labelText("headwordLabel") == word; }, 20000))
            << cardState().toStdString();
        ASSERT_EQ(server.requests().size(), 1);
        EXPECT_TRUE(asked(0).startsWith("Selection: " + word + "\nSurrounding text: " + kLine))
            << asked(0).toStdString();
        const QPoint pointer = DevicePixels::toLogical(QtScreens::areas(), window->point(word));
        EXPECT_NEAR(panel->geometry().top(), pointer.y() + 18, 1);
    }

    const QString kLine = QStringLiteral("Most people admit that they were wrong about it.");
    std::unique_ptr<HelperWindow> window;
};

TEST_F(ScaledLookupFlowDesktopTest, TheHoverKeyLooksUpTheWordUnderThePointer)
{
    server.enqueue(explanationOf(QStringLiteral("admit")));
    const QPoint at = window->point(QStringLiteral("admit"));
    xdotool({"mousemove", QString::number(at.x()), QString::number(at.y()), "keydown", "alt"});
    cardOpensBelow(QStringLiteral("admit"));
    xdotool({"keyup", "alt"});
}

TEST_F(ScaledLookupFlowDesktopTest, ASelectionIsLookedUpWithItsLine)
{
    server.enqueue(explanationOf(QStringLiteral("they")));
    doubleClick(window->point(QStringLiteral("they")));
    cardOpensBelow(QStringLiteral("they"));
}

} // namespace
