#include "CoachViewFixture.h"

#include "coach/CoachHistory.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

using namespace glossivo;
using glossivo::testing::FakeReply;

namespace {

using CoachConversationTest = glossivo::testing::CoachViewFixture;

TEST_F(CoachConversationTest, ALongDayBuildsItsRowsAsTheyComeIntoViewAndPinsANewQuestion)
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

} // namespace
