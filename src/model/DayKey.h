#pragma once

#include <QDateTime>
#include <QString>

namespace glossivo {

// Local calendar days written "yyyy-MM-dd" (Gregorian, the process's time zone).
namespace DayKey {

QString of(const QDateTime& time);

} // namespace DayKey
} // namespace glossivo
