#pragma once

#include "model/AppConfig.h"
#include "model/DisplayStage.h"
#include "model/WordEntry.h"

#include <QDateTime>
#include <QStringList>

namespace glossivo {

// The small rules that turn a saved word into learning decisions.
namespace Learning {

// A seen word idle for more than dormantDays (and not wanted) is dormant.
DisplayStage displayStage(const WordEntry& entry, const AppConfig& config, const QDateTime& now);

// The local days on which the word was met: encounterDays, or for a word that has none, the
// days of its creation and of its last lookup.
QStringList days(const WordEntry& entry);

// Which seen word enters the learning slots first; higher is sooner. Recent and repeated
// encounters, notes, many places, technical words, wishes and leeches all raise it.
double priority(const WordEntry& entry, const AppConfig& config, const QDateTime& now);

} // namespace Learning
} // namespace glossivo
