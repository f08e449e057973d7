#pragma once

#include "input/ScreenOCR.h"

#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <optional>

namespace glossivo::SelfTest {

// The recognition self-test's sample: three lines, each holding one of the target words.
QStringList ocrSampleLines();
QStringList ocrTargetWords();

// A word drawn in the sample and the middle of it, in normalized image coordinates.
struct OCRTarget {
    QString word;
    QPointF point;
};

// Whether the word picked at each target's point is that target, one line per target; true
// when every target was found. Without recognised lines (the picture could not be read) it
// prints one failure line.
bool reportOCR(const std::optional<QList<ScreenOCR::Line>>& recognized,
               const QList<OCRTarget>& targets, QTextStream& out);

} // namespace glossivo::SelfTest
