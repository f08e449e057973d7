#include "card/views/CardPanel.h"
#include "card/CardFixture.h"
#include "card/views/CardView.h"
#include "support/FakeDesktopSurface.h"

#include <QCursor>
#include <QGuiApplication>
#include <QProcess>
#include <QPushButton>
#include <QScreen>

#include <cstdlib>

using namespace glossivo;
using glossivo::testing::CardFixture;

namespace {

// xdotool's answer, trimmed; empty when it failed.
QString xdotool(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    if (!process.waitForFinished(10000) || process.exitCode() != 0) return {};
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QString xprop(WId window, const QString& property)
{
    QProcess process;
    process.start(QStringLiteral("xprop"),
                  {QStringLiteral("-id"), QString::number(window), property});
    if (!process.waitForFinished(10000)) return {};
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

// The card on a real X desktop with a window manager, beside a window of another program that
// has the keyboard: xev, which knows nothing of accessibility.
class CardPanelTest : public CardFixture {
protected:
    void SetUp() override
    {
        if (!std::getenv("GLOSSIVO_DESKTOP_TESTS") || !std::getenv("DISPLAY") ||
            QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs the test desktop (scripts/desktop-session)";
        // A menu of the window manager left open by an earlier test would hold the keyboard.
        xdotool({QStringLiteral("key"), QStringLiteral("Escape")});
        helper.start(QStringLiteral("xev"),
                     {QStringLiteral("-geometry"), QStringLiteral("500x400+100+100"),
                      QStringLiteral("-name"), kHelperName});
        ASSERT_TRUE(helper.waitForStarted());
        helperWindow = xdotool({QStringLiteral("search"), QStringLiteral("--sync"),
                                QStringLiteral("--name"), kHelperName});
        ASSERT_FALSE(helperWindow.isEmpty());
        helperWindow = helperWindow.section(QLatin1Char('\n'), 0, 0);
        // Asked again now and then: on a busy desktop a window of another test may still be
        // going away when the first request arrives.
        ASSERT_TRUE(QTest::qWaitFor(
            [this] {
                xdotool({QStringLiteral("key"), QStringLiteral("Escape")});
                xdotool({QStringLiteral("windowactivate"), helperWindow});
                return QTest::qWaitFor([this] { return focused() == helperWindow; }, 1000);
            },
            15000))
            << "the helper window never got the keyboard";

        panel = std::make_unique<CardPanel>(controller->model(), *controller, desktop);
        controller->setSurface(panel.get());
    }

    void TearDown() override
    {
        panel.reset();
        if (helper.state() != QProcess::NotRunning) {
            helper.kill();
            helper.waitForFinished();
        }
    }

    static QString focused() { return xdotool({QStringLiteral("getwindowfocus")}); }
    static QString active() { return xdotool({QStringLiteral("getactivewindow")}); }

    void pointAt(QPoint point)
    {
        xdotool(
            {QStringLiteral("mousemove"), QString::number(point.x()), QString::number(point.y())});
        EXPECT_TRUE(QTest::qWaitFor([point] { return QCursor::pos() == point; }, 2000));
    }

    const QString kHelperName = QStringLiteral("glossivo-card-helper");
    QProcess helper;
    QString helperWindow;
    glossivo::testing::FakeDesktopSurface desktop;
    std::unique_ptr<CardPanel> panel;
};

TEST_F(CardPanelTest, TheCardShowsNearThePointerAndTheReadWindowKeepsTheKeyboard)
{
    pointAt(QPoint(300, 250));
    controller->lookup(QStringLiteral("ran"), QStringLiteral("We ran home."), QCursor::pos());
    ai.answer(0, explanation(QStringLiteral("run")));
    ASSERT_TRUE(QTest::qWaitFor([this] { return panel->isVisible(); }, 3000));
    QTest::qWait(300);

    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect expected =
        CardPlacement::place(QPoint(300, 250), panel->view()->fittingSize(), area);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return panel->frameGeometry().topLeft() == expected.topLeft(); }, 2000))
        << panel->frameGeometry().x() << ',' << panel->frameGeometry().y();
    EXPECT_EQ(focused(), helperWindow);
    EXPECT_EQ(active(), helperWindow);
    EXPECT_EQ(QGuiApplication::focusWindow(), nullptr);
    // What keeps a window manager from handing it the keyboard, whatever its focus policy.
    const QString hints = xprop(panel->winId(), QStringLiteral("WM_HINTS"));
    EXPECT_TRUE(hints.contains(QStringLiteral("accepts input or input focus: False")))
        << hints.toStdString();
    EXPECT_TRUE(xprop(panel->winId(), QStringLiteral("_NET_WM_USER_TIME")).endsWith(u" 0"));
    EXPECT_TRUE(
        xprop(panel->winId(), QStringLiteral("_NET_WM_STATE")).contains(u"_NET_WM_STATE_ABOVE"));

    // The first click on a button of the card acts, and the keyboard stays where it was.
    auto* save = panel->findChild<QPushButton*>(QStringLiteral("saveButton"));
    ASSERT_NE(save, nullptr);
    const QPoint button = save->mapToGlobal(save->rect().center());
    pointAt(button);
    xdotool({QStringLiteral("click"), QStringLiteral("1")});
    EXPECT_TRUE(QTest::qWaitFor([this] { return word() && word()->justSaved; }, 3000));
    QTest::qWait(200);
    EXPECT_EQ(focused(), helperWindow);
    EXPECT_EQ(active(), helperWindow);
}

TEST_F(CardPanelTest, NearTheBottomRightCornerTheCardOpensAboveAndInside)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint corner(area.right() - 3, area.bottom() - 3);
    pointAt(corner);
    controller->showError(QStringLiteral("网络断了"), false, corner);
    ASSERT_TRUE(QTest::qWaitFor([this] { return panel->isVisible(); }, 3000));
    QTest::qWait(300);
    const QRect frame = panel->frameGeometry();
    EXPECT_LE(frame.bottom(), corner.y() - 18);
    EXPECT_LE(frame.right(), area.right() - 8 + 1);
    EXPECT_EQ(focused(), helperWindow);

    controller->hide();
    EXPECT_TRUE(QTest::qWaitFor([this] { return !panel->isVisible(); }, 2000));
}

} // namespace
