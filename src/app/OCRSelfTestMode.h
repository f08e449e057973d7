#pragma once

#include "selftest/OCRSelfTest.h"

#include <QImage>
#include <QTextStream>

namespace glossivo::OCRSelfTestMode {

struct Sample {
    QImage image;
    QList<SelfTest::OCRTarget> targets;
};

// The sample lines drawn black on white in the default sans-serif font at 22 points, on a
// 760 x 200 point picture at twice the pixel density, with the middle of every target word.
Sample draw();

// Draws the sample, recognises it off the calling thread and reports; the exit status is 0
// when every target word was found. Makes its own application object for the fonts, on the
// offscreen platform when there is no display.
int run(QTextStream& out);

} // namespace glossivo::OCRSelfTestMode
