#include "app/QuitSignals.h"

#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>

using namespace glossivo;

namespace {

// A logout's signal ends the program through its event loop, as 退出 does: the loop returns
// and what runs at its end runs.
TEST(QuitSignals, EachEndSignalQuitsThroughTheEventLoop)
{
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        const QuitSignals quitSignals;
        int endings = 0;
        const QMetaObject::Connection ending =
            QObject::connect(qApp, &QCoreApplication::aboutToQuit, [&endings] { ++endings; });
        QTimer::singleShot(0, [signal] { std::raise(signal); });
        // Should the signal not quit, the loop ends here, with another status.
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        guard.start(5000);
        EXPECT_EQ(QApplication::exec(), 0);
        EXPECT_EQ(endings, 1);
        QObject::disconnect(ending);
    }
}

} // namespace
