#include "TestProcess.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

// Every test folder gets a Qt application object, so timers, sockets and signals work.
int main(int argc, char** argv)
{
    prepareTestProcess();
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
