#include "TestProcess.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

#include <gtest/gtest.h>

// Test folders with widgets get a QApplication made so that pictures come out the same on every
// machine: 96 dpi, the Fusion style, one CJK font at a fixed pixel size and an explicit palette.
// Folders that need a real desktop run on xcb when scripts/test gave them a display, and on the
// offscreen platform otherwise (their desktop tests then skip themselves).
int main(int argc, char** argv)
{
    prepareTestProcess();
    QApplication::setAttribute(Qt::AA_Use96Dpi);
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(13);
    QApplication::setFont(font);
    QApplication::setPalette(QApplication::style()->standardPalette());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
