#pragma once

#include "model/WordEntry.h"

#include <QList>

#include <functional>

namespace glossivo {

class WordStore;

// The menu items that move one word between learning stages by hand. Which items there are
// depends on the word's stored stage; each runs one operation of the word book, which stamps,
// logs and writes. The context menu of the word list and the stage bar of the word's pane place
// the same items in the same order.
struct StageAction {
    QString title;
    bool enabled = true;
    std::function<void()> run;
};

// `entry` as the host drew it; `learningSlots` from the configuration read now.
QList<StageAction> stageActions(const WordEntry& entry, WordStore& store, int learningSlots);

} // namespace glossivo
