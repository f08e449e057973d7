#include "CoachViewFixture.h"

#include "coach/CoachExcerpt.h"
#include "coach/CoachHistory.h"
#include "support/LayoutCheck.h"
#include "support/Snapshots.h"

#include <QAccessible>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <functional>

using namespace glossivo;
using glossivo::testing::CoachViewFixture;
using glossivo::testing::FakeChatServer;
using glossivo::testing::FakeReply;

namespace {

// A text far beyond anything the coach writes: its real paragraphs over and over.
QString hugeBrief()
{
    const QString paragraph = QStringLiteral(
        "**第 %1 段**：你这周查了 *reluctant*（不情愿的）三次，说明它还没记牢。试着用它造句，比如 "
        "`I was reluctant to leave.`，再看看 [词典](https://dictionary.example.com/%1) 里的例句。"
        "别只背中文意思，把搭配一起记下来：reluctant to do sth.\n"
        "- 复习 *hesitant*、**unwilling**，它们意思相近，但语气不同。\n\n");
    QString text;
    for (int i = 1; text.size() <= 2 * CoachExcerpt::kShownCharacters; ++i)
        text += paragraph.arg(i);
    return text;
}

// The coach window drawn by itself. Its states are pictured light and dark in the build's
// snapshots/coach, for review by eye, with the clock on a Sunday; the failing service is checked
// as it is drawn: the fake's 500 for a request it has no script for, and a closed port.
class CoachViewTest : public CoachViewFixture {
protected:
    void brief(FakeReply::Ending ending = FakeReply::Ending::complete)
    {
        server.enqueue(FakeReply::streamed(
            {QStringLiteral("这几天你存的词大多来自 **Reddit 上聊 ADHD 药的帖子**：reluctant"
                            "（不情愿的）、`dosage`（剂量）、taper（逐渐减量）。"),
             QStringLiteral("\n\n拼写上，*vivid* 已经连续三次拼对了，这是真的记住了。\n\n"
                            "- 今天大概 12 题，十分钟左右\n- 留意 reluctant 和 taper")},
            ending));
        session->open();
        if (ending == FakeReply::Ending::complete) {
            ASSERT_TRUE(waitUntilIdle());
        } else {
            ASSERT_TRUE(FakeChatServer::waitFor(
                [this] { return session->messages().last().text.size() > 60; }));
        }
    }

    void conversation()
    {
        log.hold(QStringLiteral("review"), QStringLiteral("reluctant"), QStringLiteral("good"));
        log.flush();
        brief();
        server.enqueue(FakeReply::streamed(
            {QStringLiteral("就挑这三个：\n\n- **reluctant**：想成「脚像灌了铅」\n"
                            "- **taper**：蜡烛（taper）越烧越细\n- **vivid**：已经稳了")}));
        session->send(QStringLiteral("请求全文"), QStringLiteral("今天重点记哪几个？"));
        ASSERT_TRUE(waitUntilIdle());
        server.enqueue(FakeReply::streamed({QStringLiteral("那就只看 reluctant 一个词。")}));
        session->send(QStringLiteral("今天只有 5 分钟"));
        ASSERT_TRUE(waitUntilIdle());
    }

    // The window again, over a session that finds this day in coach.json.
    void reopenOver(const QList<CoachMessage>& day)
    {
        const bool dark = host->palette().color(QPalette::Window).lightness() < 128;
        host.reset();
        CoachHistory(folder.paths().coach()).record(QStringLiteral("2026-10-11"), day);
        session = makeSession();
        makeView(dark);
        host->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(host.get()));
        session->open();
    }

    // A brief far too long to show, scrolled to its end.
    void showCutMessage(const QString& text = hugeBrief())
    {
        reopenOver({CoachMessage::make(true, text)});
        // A long paragraph is laid out over a few turns of the event loop.
        QScrollBar* bar = view->findChild<QScrollArea*>("conversation")->verticalScrollBar();
        for (int turn = 0; turn < 3; ++turn) {
            QTest::qWait(50);
            bar->setValue(bar->maximum());
        }
    }

    // A failed brief leaves the retry button; a failed question only the error.
    void fail(bool afterBrief, bool noService)
    {
        if (afterBrief) brief();
        if (noService) setService(QStringLiteral("http://127.0.0.1:9"));
        afterBrief ? session->send(QStringLiteral("我最近哪里最弱？")) : session->open();
        ASSERT_TRUE(waitUntilIdle());
        EXPECT_EQ(rows().size(), afterBrief ? 1 : 0);
        EXPECT_TRUE(find<QLabel>("errorLabel") && !find<QLabel>("errorLabel")->text().isEmpty());
        EXPECT_EQ(find<QPushButton>("retryButton") != nullptr, !afterBrief);
        setService(server.baseURL());
    }
};

TEST_F(CoachViewTest, TheCoachWindowInLightAndDark)
{
    const QList<std::pair<const char*, std::function<void()>>> states{
        {"waiting",
         [this] {
             server.enqueue(FakeReply::streamed({}, FakeReply::Ending::hold));
             session->open();
             ASSERT_TRUE(FakeChatServer::waitFor([this] { return server.openConnections() > 0; }));
             EXPECT_EQ(rows(), QStringList{QStringLiteral("教练在看你这几天的记录…")});
         }},
        {"brief-streaming", [this] { brief(FakeReply::Ending::hold); }},
        {"conversation", [this] { conversation(); }},
        {"long-words",
         [this] {
             brief();
             server.enqueue(FakeReply::streamed(
                 {QStringLiteral("看这个链接：https://example.org/") + QString(300, u'x') +
                  QStringLiteral("\n\n**internationalization** 和 ") + QString(120, u'好')}));
             session->send(QStringLiteral("https://example.org/") + QString(200, u'q'));
             ASSERT_TRUE(waitUntilIdle());
         }},
        {"cut-message", [this] { showCutMessage(); }},
        // One paragraph with no break near the cut, which falls inside bold and stays bold.
        {"cut-inside-bold",
         [this] {
             QString text = hugeBrief().replace(u'\n', u' ');
             const qsizetype at =
                 text.lastIndexOf(QStringLiteral("不同。"), CoachExcerpt::kShownCharacters - 10) +
                 3;
             showCutMessage(text.insert(
                 at, QStringLiteral(" **") +
                         QStringLiteral(
                             "这句加粗的提醒跨过了截断的地方，所以显示出来的部分也该是粗体。")
                             .repeated(6) +
                         QStringLiteral("**")));
         }},
        {"cut-message-copied",
         [this] {
             showCutMessage();
             find<QPushButton>("copyAllButton")->click();
         }},
        {"error-brief", [this] { fail(false, false); }},
        {"error-brief-no-service", [this] { fail(false, true); }},
        {"error-question", [this] { fail(true, false); }},
        {"error-question-no-service", [this] { fail(true, true); }},
    };
    for (const bool dark : {false, true}) {
        for (const auto& [name, setUp] : states) {
            SCOPED_TRACE(name);
            makeView(dark);
            host->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(host.get()));
            setUp();
            EXPECT_EQ(find<QLabel>("dateLabel")->text(), QStringLiteral("10月11日 星期日"));
            QTest::qWait(50);
            EXPECT_EQ(test::layoutFaults(view), "");
            const QImage image = host->grab().toImage();
            const QString path = test::snapshotFolder(QStringLiteral("coach")) + QLatin1Char('/') +
                                 QString::fromLatin1(name) +
                                 (dark ? QStringLiteral("-dark") : QString()) +
                                 QStringLiteral(".png");
            ASSERT_TRUE(image.save(path));
            EXPECT_GT(test::colourCount(image), 3);
            host.reset();
            QFile::remove(folder.paths().coach());
            QFile::remove(folder.paths().log());
            session = makeSession();
        }
    }
}

TEST_F(CoachViewTest, ALongDayBuildsItsRowsAsTheyComeIntoViewAndPinsANewQuestion)
{
    QList<CoachMessage> day;
    for (int i = 0; i < 400; ++i)
        day.append(CoachMessage::make(i % 2 == 1, QString::number(i)));
    CoachHistory(folder.paths().coach()).record(QStringLiteral("2026-10-11"), day);
    session = makeSession();
    session->open();
    makeView();
    host->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(host.get()));
    const auto built = [this] { return view->findChildren<QWidget*>("coachRow").size(); };
    EXPECT_LT(built(), 100);
    auto* conversation = view->findChild<QScrollArea*>("conversation");
    QScrollBar* bar = conversation->verticalScrollBar();
    for (int i = 0; i < 100 && built() < 400; ++i) {
        bar->setValue(bar->maximum());
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(built(), 400);

    // A long answer leaves room to put its question on top; the view does not follow it down.
    server.enqueue(FakeReply::streamed({QStringList(40, QStringLiteral("一行")).join("\n\n")}));
    bar->setValue(0);
    session->send(QStringLiteral("请求全文"), QStringLiteral("今天重点记哪几个？"));
    ASSERT_TRUE(waitUntilIdle());
    QTest::qWait(50);
    const QWidget* question = view->findChildren<QWidget*>("coachRow").at(400);
    EXPECT_EQ(question->accessibleName(), QStringLiteral("今天重点记哪几个？"));
    EXPECT_EQ(question->mapTo(conversation->viewport(), QPoint()).y(), 0);
}

TEST_F(CoachViewTest, AnAnswerThatGrowsPastWhatIsShownEndsInAnEllipsisAndCopiesWhole)
{
    makeView();
    host->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(host.get()));
    brief();
    EXPECT_EQ(find<QPushButton>("copyAllButton"), nullptr);

    const QString answer = hugeBrief();
    server.enqueue(FakeReply::streamed({answer.left(300), answer.mid(300)}));
    session->send(QStringLiteral("今天只有 5 分钟"));
    ASSERT_TRUE(waitUntilIdle());
    const QString shown = rows().last();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("第 1 段：你这周查了 reluctant")))
        << shown.left(40).toStdString();
    EXPECT_TRUE(shown.endsWith(QChar(0x2026)));
    EXPECT_LE(shown.size(), CoachExcerpt::kShownCharacters + 1);
    for (const QWidget* text : view->findChildren<QWidget*>("coachText"))
        EXPECT_FALSE(text->accessibleName().isEmpty());
    auto* copy = find<QPushButton>("copyAllButton");
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(copy)->text(QAccessible::Name),
              QStringLiteral("复制全文"));
    copy->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), answer);
    EXPECT_EQ(copy->text(), QStringLiteral("已复制"));
}

TEST_F(CoachViewTest, ACopyOfAnAnswerStillStreamingIsNoLongerMarkedCopiedWhenTheAnswerGrows)
{
    makeView();
    host->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(host.get()));
    brief();
    const QString answer = hugeBrief();
    FakeReply halves = FakeReply::streamed({answer.left(30000), answer.mid(30000)});
    halves.gapMilliseconds = 1000; // a loaded machine still sees the first half alone
    server.enqueue(halves);
    session->send(QStringLiteral("今天只有 5 分钟"));
    ASSERT_TRUE(FakeChatServer::waitFor([this] {
        return session->messages().last().text.size() >= 30000 &&
               find<QPushButton>("copyAllButton");
    }));
    ASSERT_LT(session->messages().last().text.size(), answer.size());
    auto* copy = find<QPushButton>("copyAllButton");
    copy->click();
    EXPECT_EQ(copy->text(), QStringLiteral("已复制"));
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(copy->text(), QStringLiteral("复制全文"));
}

TEST_F(CoachViewTest, ReturnSendsTheTypedMessageFromAnywhereInTheWindow)
{
    makeView();
    host->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(host.get()));
    brief();
    server.enqueue(FakeReply::streamed({QStringLiteral("那就只看 reluctant 一个词。")}));
    session->setInput(QStringLiteral("今天只有 5 分钟"));
    auto* conversation = view->findChild<QScrollArea*>("conversation");
    conversation->setFocus();
    QTest::keyClick(conversation, Qt::Key_Return);
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(session->messages().size(), 3);
    EXPECT_EQ(session->input(), QString());
}

} // namespace
