#include "app/AppDelegate.h"
#include "model/ConfigStore.h"
#include "model/JsonFields.h"
#include "model/LearningLog.h"
#include "model/WordStore.h"
#include "support/DataFolder.h"
#include "support/FakeClock.h"
#include "support/FakePlatform.h"
#include "support/LayoutCheck.h"
#include "support/Snapshots.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QProcess>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

using namespace glossivo;
using namespace glossivo::testing;

namespace {

// Two whole rounds in the review window on the test desktop, answered with keys alone through
// xdotool, over a word book in a fresh data folder; what the word book then holds on disk is
// exactly what was answered.
class ReviewRoundsDesktop : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::getenv("GLOSSIVO_DESKTOP_TESTS") || !std::getenv("DISPLAY"))
            GTEST_SKIP() << "needs the test desktop (scripts/desktop-session)";
    }

    void openWith(const QList<WordEntry>& words)
    {
        folder.write(QStringLiteral("words.json"), QJsonDocument(Json::toArray(words)).toJson());
        config = std::make_unique<ConfigStore>(folder.paths().config(), clock);
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
        services.speak = [this](const QString& text) { spoken.append(text); };
        delegate = std::make_unique<AppDelegate>(services);
    }

    WordEntry due(const QString& headword, int lapses, double stability) const
    {
        WordEntry entry;
        entry.id = QUuid::createUuid();
        entry.headword = headword;
        entry.meaningZh = QStringLiteral("意思");
        entry.createdAt = clock.now().addDays(-20);
        entry.lookupCount = 1;
        entry.stage = Stage::learning;
        entry.review =
            ReviewState{stability, 5, clock.now(), clock.now().addDays(-3), 4, lapses, 2};
        return entry;
    }

    WordEntry spelled(const QString& headword, int level) const
    {
        WordEntry entry = due(headword, 0, 3);
        entry.stage = Stage::seen;
        entry.review.reset();
        entry.spellPractice = true;
        entry.spellLevel = level;
        return entry;
    }

    // Keys pressed, or text typed, on the desktop.
    static void xdotool(const char* command, const QStringList& what)
    {
        QProcess xdotool;
        xdotool.start(QStringLiteral("xdotool"), QStringList{command, "--delay", "40"} + what);
        ASSERT_TRUE(xdotool.waitForFinished(10000));
        ASSERT_EQ(xdotool.exitCode(), 0);
    }
    static void keys(const QStringList& names) { xdotool("key", names); }
    static void type(const QString& text) { xdotool("type", {text}); }

    // The window as the test desktop draws it, beside the offscreen pictures.
    void picture(const char* name)
    {
        delegate->reviewWindow()->grab().save(
            glossivo::test::snapshotFolder(QStringLiteral("review-desktop")) + u'/' +
            QLatin1String(name) + QStringLiteral(".png"));
    }

    ReviewSession& session() { return delegate->reviewSession(); }
    QString currentWord() { return session().current() ? session().current()->answer : QString(); }
    bool asking(const QString& word)
    {
        return session().phase() == ReviewPhase::asking() && currentWord() == word;
    }
    bool graded() { return session().phase().isRevealed(); }
    // The answer field of the question on screen holds the focus, as the learner expects.
    bool typingInto(const char* field)
    {
        const QWidget* focus = QApplication::focusWidget();
        return focus && focus->objectName() == QLatin1String(field) && focus->isVisible();
    }

    QStringList answered() const
    {
        QStringList lines;
        for (const QString& line :
             LearningLog(folder.path("learning-log.jsonl"), clock).readLines()) {
            const auto event = LearningLog::Event::fromLine(line).value();
            lines.append(event.kind + u' ' + event.word + u' ' + event.detail.value_or(""));
        }
        return lines;
    }

    WordEntry onDisk(const QString& headword) const
    {
        const auto array =
            QJsonDocument::fromJson(folder.read(QStringLiteral("words.json"))).array();
        for (const auto& value : array) {
            const WordEntry entry = WordEntry::fromJson(value.toObject());
            if (entry.headword == headword) return entry;
        }
        throw std::runtime_error("not on disk");
    }

    DataFolder folder;
    FakeClock clock;
    FakePermissionSource permissions;
    FakeFrontApplication front;
    FakeLaunchAtLogin launchAtLogin;
    QStringList spoken;
    std::unique_ptr<ConfigStore> config;
    std::unique_ptr<WordStore> store;
    std::unique_ptr<LearningLog> log;
    std::unique_ptr<AppDelegate> delegate;
};

constexpr int kWait = 3000;

TEST_F(ReviewRoundsDesktop, AReviewRoundAnsweredWithKeys)
{
    // Most forgotten first: anchor turns into a leech, harbour is forgotten once more, ferry
    // is strong enough to graduate.
    openWith({due("ferry", 0, 60), due("harbour", 1, 3), due("anchor", 3, 2)});
    // The status menu's row opens the window.
    std::optional<StatusMenuItem> row;
    for (const StatusMenuItem& item : delegate->menuController().open())
        if (item.title == QStringLiteral("开始复习（3 题）")) row = item;
    ASSERT_TRUE(row);
    delegate->menuController().trigger(*row);
    ReviewWindow* window = delegate->reviewWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("复习"));
    ASSERT_TRUE(asking("anchor"));

    keys({"space", "1"}); // the fourth lapse: a leech, asked again at the end
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return session().lastOutcome() == ReviewOutcome::becameLeech; }, kWait));
    EXPECT_EQ(session().queue().size(), 4);
    picture("leech");
    keys({"Tab", "space"}); // "先让它休息一周"
    ASSERT_TRUE(QTest::qWaitFor([&] { return asking("harbour"); }, kWait));
    EXPECT_EQ(session().queue().size(), 3); // its question at the end is gone

    keys({"space", "1"}); // forgotten: asked again at the end
    ASSERT_TRUE(QTest::qWaitFor([&] { return asking("ferry"); }, kWait));
    keys({"space", "3"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return session().lastOutcome() == ReviewOutcome::graduated; },
                                kWait));
    QTest::qWait(300);
    EXPECT_EQ(session().lastOutcome(), ReviewOutcome::graduated); // waits for Return
    picture("graduated");
    keys({"Return"});
    // Ferry's spelling follow-up, copied while the word is still in sight.
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return asking("ferry") && typingInto("answerField"); }, kWait));
    type("ferry");
    keys({"Return"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return graded(); }, kWait));
    keys({"Return"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return asking("harbour"); }, kWait));
    keys({"space", "3"});
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return asking("harbour") && typingInto("answerField"); }, kWait));
    type("harbour");
    keys({"Return"});
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return session().phase() == ReviewPhase::finished(); }, kWait));
    // The copy timer of the question answered within 2.5 s has nothing left to touch.
    QTest::qWait(2700);
    keys({"Return"}); // "关闭"
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }, kWait));

    EXPECT_EQ(answered(), (QStringList{"review anchor again", "leech anchor ", "rest anchor ",
                                       "review harbour again", "review ferry good",
                                       "graduate ferry ", "spell ferry 看一眼再写 good",
                                       "review harbour good", "spell harbour 看一眼再写 good"}));
    EXPECT_EQ(onDisk("anchor").stage, Stage::resting);
    EXPECT_EQ(onDisk("anchor").review->lapses, 4);
    EXPECT_EQ(onDisk("ferry").stage, Stage::mastered);
    EXPECT_EQ(onDisk("harbour").review->lapses, 2);
    EXPECT_EQ(onDisk("harbour").spellLevel, 1);
}

TEST_F(ReviewRoundsDesktop, ASpellingRoundAnsweredWithKeysInTheReviewWindow)
{
    openWith({spelled("bridge", 1), spelled("castle", 0), due("anchor", 0, 3)});
    delegate->showReview();
    ReviewWindow* window = delegate->reviewWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    // Spelling practice opened while the review window is open restarts in the same window.
    delegate->showSpelling();
    EXPECT_EQ(delegate->reviewWindow(), window);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("复习"));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return asking("bridge") && typingInto("answerField"); }, kWait));

    type("bread");
    keys({"Return"}); // a miss: the word typed along, and asked again at the end
    ASSERT_TRUE(QTest::qWaitFor([&] { return graded() && typingInto("typeAlongField"); }, kWait));
    type("bridge");
    EXPECT_TRUE(QTest::qWaitFor([&] { return session().copyInput() == "bridge"; }, kWait));
    picture("type-along");
    keys({"Return"});
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return asking("castle") && typingInto("answerField"); }, kWait));

    keys({"Return"}); // nothing typed: "不会"
    ASSERT_TRUE(QTest::qWaitFor([&] { return graded(); }, kWait));
    EXPECT_EQ(session().phase().rating, Rating::again);
    keys({"Return"});
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return asking("bridge") && typingInto("answerField"); }, kWait));
    EXPECT_EQ(session().current()->type.spellMode(), SpellMode::copy); // one mode easier

    keys({"Tab"}); // a letter, and the focus stays
    ASSERT_TRUE(QTest::qWaitFor([&] { return session().input() == "b"; }, kWait));
    EXPECT_TRUE(typingInto("answerField"));
    type("ridge");
    keys({"Return"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return graded(); }, kWait));
    EXPECT_EQ(session().phase().rating, Rating::hard); // a letter was given
    keys({"Return"});
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return asking("castle") && typingInto("answerField"); }, kWait));
    type("castle");
    keys({"Return"}); // right: the round moves on by itself
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return session().phase() == ReviewPhase::finished(); }, kWait));
    keys({"Return"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }, kWait));

    EXPECT_EQ(answered(),
              (QStringList{"spell bridge 补字母 again", "spell castle 看一眼再写 again",
                           "spell bridge 看一眼再写 hard", "spell castle 看一眼再写 good"}));
    EXPECT_EQ(onDisk("bridge").spellLevel, 0);
    EXPECT_EQ(onDisk("castle").spellLevel, 1);
    EXPECT_EQ(onDisk("anchor").review->lapses, 0); // the review round was dropped unanswered
}

TEST_F(ReviewRoundsDesktop, GivingUpShowsTheWholeAnswerWithItsTip)
{
    WordEntry word = spelled("ambiguous", 3);
    word.meaningZh = QString(QStringLiteral("模棱两可的；含糊不清的；")).repeated(6);
    word.mnemonic = QString(QStringLiteral("ambi（两边）+ gu（走）：话往两边走。")).repeated(8);
    Example example;
    example.id = QUuid::createUuid();
    example.sentence =
        "The wording was ambiguous, " + QString("so each read it their way. ").repeated(3);
    word.examples = {example};
    openWith({word});
    delegate->showSpelling();
    ReviewWindow* window = delegate->reviewWindow();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return asking("ambiguous") && typingInto("answerField"); }, kWait));

    auto* giveUp = window->findChild<QWidget*>(QStringLiteral("giveUpButton"));
    const QPoint at = giveUp->mapToGlobal(giveUp->rect().center());
    ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"),
                                {"mousemove", "--sync", QString::number(at.x()),
                                 QString::number(at.y()), "click", "1"}),
              0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return graded(); }, kWait));
    QTest::qWait(300);
    picture("gave-up-with-tip");
    for (const char* name : {"answerLabel", "answerSentence", "memoryTip"})
        EXPECT_TRUE(window->findChild<QWidget*>(QLatin1String(name))->isVisible()) << name;
    EXPECT_EQ(test::layoutFaults(window), "");
}

// How much of the screen under a window differs from the window's own picture: near 0 when the
// desktop shows what the window drew, near 1 when it shows black or what lay there before.
double unpaintedShare(QWidget* window)
{
    const QImage drawn = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QPoint at = window->mapToGlobal(QPoint(0, 0));
    const QImage shown = window->screen()
                             ->grabWindow(0, at.x(), at.y(), drawn.width(), drawn.height())
                             .toImage()
                             .convertToFormat(QImage::Format_RGB32);
    qsizetype differ = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            differ += shown.size() != drawn.size() ||
                      qGray(shown.pixel(x, y)) != qGray(drawn.pixel(x, y));
    return double(differ) / double(qMax<qsizetype>(drawn.width() * drawn.height(), 1));
}

// Each window opened from the tray menu over the last one shows at once on the screen.
TEST_F(ReviewRoundsDesktop, EveryWindowPaintsOverAnotherOfOurs)
{
    openWith({spelled("bridge", 1)});
    delegate->launch(); // with no AI key, the settings window comes up first
    QMenu* menu = delegate->menu();
    const std::pair<const char*, std::function<QWidget*()>> windows[] = {
        {"生词本", [&] { return (QWidget*)delegate->wordsWindow(); }},
        {"拼写练习", [&] { return (QWidget*)delegate->reviewWindow(); }},
        {"AI 教练", [&] { return (QWidget*)delegate->coachWindow(); }},
        {"开始复习", [&] { return (QWidget*)delegate->reviewWindow(); }},
        {"现在没有要复习的", [&] { return (QWidget*)delegate->reviewWindow(); }},
        {"查词", [&] { return (QWidget*)delegate->addWordWindow(); }},
        {"设置", [&] { return (QWidget*)delegate->settingsWindow(); }},
    };
    for (const auto& [title, window] : windows) {
        menu->popup(QPoint(900, 30));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        QTest::qWait(200);
        QAction* item = nullptr;
        for (QAction* action : menu->actions())
            if (!item && action->text().startsWith(QString::fromUtf8(title))) item = action;
        if (!item) { // one of the two review items
            menu->hide();
            continue;
        }
        const QPoint at = menu->mapToGlobal(menu->actionGeometry(item).center());
        ASSERT_EQ(QProcess::execute("xdotool", {"mousemove", "--sync", QString::number(at.x()),
                                                QString::number(at.y()), "click", "1"}),
                  0);
        ASSERT_TRUE(QTest::qWaitFor([&] { return window() && window()->isVisible(); }, kWait));
        QTest::qWait(400);
        EXPECT_LT(unpaintedShare(window()), 0.05) << title;
    }
    // Also when one comes up right after the other, before the first was drawn.
    for (QWidget* shown : QApplication::topLevelWidgets())
        shown->close();
    delegate->showWords();
    delegate->showSpelling();
    delegate->showCoach();
    delegate->showReview();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(delegate->reviewWindow()));
    QTest::qWait(600);
    EXPECT_LT(unpaintedShare(delegate->reviewWindow()), 0.05);
    delegate->showAsk(AskContext{QStringLiteral("The boats stayed in the harbour."), std::nullopt,
                                 std::nullopt, std::nullopt, std::nullopt});
    ASSERT_TRUE(QTest::qWaitForWindowExposed(delegate->askWindow()));
    QTest::qWait(400);
    EXPECT_LT(unpaintedShare(delegate->askWindow()), 0.05);
}

} // namespace
