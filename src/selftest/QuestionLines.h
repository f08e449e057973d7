#pragma once

#include "review/ReviewQuestion.h"
#include "review/SpellingGrade.h"

#include <QTextStream>

namespace glossivo::SelfTest {

// "<label><level>：<badge>·<level name> 答案=<answer> 提示=<scaffold, cloze or ->". The name
// is the level's own, also when the question fell back to an easier mode.
void printLevelLine(const QString& label, int level, const ReviewQuestion& question,
                    QTextStream& out);

// "<before><typed><after><rating> <message>"; the blank after the rating stays without a
// message.
void printGradeLine(const QString& before, const QString& typed, const QString& after,
                    const SpellingGrade& grade, QTextStream& out);

} // namespace glossivo::SelfTest
