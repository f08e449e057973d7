#pragma once

#include "model/WordEntry.h"

#include <QList>
#include <QUuid>

namespace glossivo {

// Which learning words give up their slots when there are more of them than slots: the least
// progressed and most recently moved go first.
namespace SlotTrim {

// The ids of at most count learning words, in leaving order.
QList<QUuid> pick(const QList<WordEntry>& entries, qsizetype count);

} // namespace SlotTrim
} // namespace glossivo
