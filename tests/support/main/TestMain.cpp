#include <QCoreApplication>

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

// Every test folder gets a Qt application object, so timers, sockets and signals work. Day keys
// are local days, so the tests fix the time zone (UTC+8, where midnight falls at 16:00 UTC)
// whether they run under ctest or by hand.
int main(int argc, char** argv)
{
    ::setenv("TZ", "Asia/Shanghai", 1);
    ::tzset();
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
