#include "app/views/StatusMenu.h"

#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

using namespace glossivo;

// A click on the tray icon opens the menu at the pointer, so the button comes up over the
// menu's first line: that release alone must not run the line (it would speak the word and
// close the menu at once). A whole click on the line still runs it.
TEST(StatusMenuLine, RunsOnlyForAClickThatBeganOnIt)
{
    StatusMenuItem word;
    word.title = QStringLiteral("reluctant /rɪˈlʌktənt/");
    word.style = StatusMenuItem::Style::word;
    QMenu menu;
    int runs = 0;
    fillStatusMenu(menu, {word}, [&runs](const StatusMenuItem&) { ++runs; });
    menu.popup(QPoint(0, 0));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    QWidget* line = menu.findChild<QWidget*>(QStringLiteral("menuLine"));
    ASSERT_NE(line, nullptr);
    const QPoint inside = line->rect().center();

    QTest::mouseRelease(line, Qt::LeftButton, {}, inside);
    EXPECT_EQ(runs, 0);
    EXPECT_TRUE(menu.isVisible());

    QTest::mouseClick(line, Qt::LeftButton, {}, inside);
    EXPECT_EQ(runs, 1);
}
