#include "app/AppDelegate.h"
#include "model/ConfigStore.h"
#include "model/JsonFields.h"
#include "model/LearningLog.h"
#include "model/WordStore.h"
#include "support/DataFolder.h"
#include "support/FakeClock.h"
#include "support/FakePlatform.h"
#include "support/Snapshots.h"

#include <QJsonDocument>
#include <QMenu>
#include <QProcess>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

using namespace glossivo;
using namespace glossivo::testing;

namespace {

// How far the screen's own pixels under a window are from the window's own picture: 0 when the
// desktop shows what the window drew, near 1 when it shows black or what lay there before.
double unpaintedShare(QWidget* window)
{
    const QImage drawn = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QPoint at = window->mapToGlobal(QPoint(0, 0));
    const QImage shown = window->screen()
                             ->grabWindow(0, at.x(), at.y(), drawn.width(), drawn.height())
                             .toImage()
                             .convertToFormat(QImage::Format_RGB32);
    if (shown.size() != drawn.size()) return 1;
    qsizetype differ = 0, seen = 0;
    for (int y = 0; y < drawn.height(); y += 3)
        for (int x = 0; x < drawn.width(); x += 3, ++seen) {
            const QRgb a = drawn.pixel(x, y), b = shown.pixel(x, y);
            if (qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b)) >
                24)
                ++differ;
        }
    return double(differ) / double(qMax<qsizetype>(seen, 1));
}

// Every window of the program, opened over another one of ours, shows on the screen at once,
// without being moved first.
TEST(WindowOverWindowDesktop, EveryWindowPaintsOverAnotherOfOurs)
{
    if (!std::getenv("GLOSSIVO_DESKTOP_TESTS") || !std::getenv("DISPLAY"))
        GTEST_SKIP() << "needs the test desktop (scripts/desktop-session)";
    DataFolder folder;
    FakeClock clock;
    FakePermissionSource permissions;
    FakeFrontApplication front;
    FakeLaunchAtLogin launchAtLogin;
    WordEntry word;
    word.id = QUuid::createUuid();
    word.headword = QStringLiteral("harbour");
    word.meaningZh = QStringLiteral("港口");
    word.createdAt = clock.now();
    word.lookupCount = 1;
    word.spellPractice = true;
    folder.write(QStringLiteral("words.json"),
                 QJsonDocument(Json::toArray(QList<WordEntry>{word})).toJson());
    ConfigStore config(folder.paths().config(), clock);
    WordStore store(folder.paths(), clock, [&] { return config.config(); });
    LearningLog log(folder.paths().log(), clock);
    AppDelegate::Services services;
    services.config = &config;
    services.words = &store;
    services.log = &log;
    services.permissions = &permissions;
    services.front = &front;
    services.launchAtLogin = &launchAtLogin;
    services.supportDir = folder.paths().supportDir();
    AppDelegate delegate(services);
    delegate.launch(); // the tray and its menu; with no AI key, the settings window comes up
    AskContext passage;
    passage.original = QStringLiteral("The boats stayed in the harbour.");

    // As the user does: the tray menu pops up over the last window, and a click on its item
    // opens the next one.
    const auto fromMenu = [&](const QString& title, const std::function<QWidget*()>& opened) {
        return [&delegate, title, opened]() -> QWidget* {
            QMenu* menu = delegate.menu();
            menu->popup(QPoint(900, 30));
            if (!QTest::qWaitForWindowExposed(menu)) return nullptr;
            QTest::qWait(200);
            for (QAction* action : menu->actions()) {
                const QStringList titles = title.split(u'|');
                if (std::none_of(titles.begin(), titles.end(), [&](const QString& one) {
                        return action->text().startsWith(one);
                    }))
                    continue;
                const QPoint at = menu->mapToGlobal(menu->actionGeometry(action).center());
                QProcess::execute(QStringLiteral("xdotool"),
                                  {"mousemove", "--sync", QString::number(at.x()),
                                   QString::number(at.y()), "click", "1"});
                if (!QTest::qWaitFor([&] { return opened() && opened()->isVisible(); }, 3000))
                    return nullptr;
                return opened();
            }
            return nullptr;
        };
    };
    const std::pair<const char*, std::function<QWidget*()>> openers[] = {
        {"words", fromMenu("生词本", [&] { return delegate.wordsWindow(); })},
        {"spelling", fromMenu("拼写练习", [&] { return delegate.reviewWindow(); })},
        {"coach", fromMenu("AI 教练", [&] { return delegate.coachWindow(); })},
        {"review", fromMenu("开始复习|现在没有要复习的", [&] { return delegate.reviewWindow(); })},
        {"add-word", fromMenu("查词", [&] { return delegate.addWordWindow(); })},
        {"ask", [&] { return delegate.showAsk(passage), (QWidget*)delegate.askWindow(); }},
        {"settings", fromMenu("设置", [&] { return delegate.settingsWindow(); })},
    };
    for (const auto& [name, open] : openers) {
        SCOPED_TRACE(name);
        QWidget* window = open();
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        QTest::qWait(400);
        const double share = unpaintedShare(window);
        if (share > 0.1)
            window->screen()->grabWindow(0).save(test::snapshotFolder("desktop") + "/unpainted-" +
                                                 name + ".png");
        EXPECT_LT(share, 0.1);
    }
}

} // namespace
