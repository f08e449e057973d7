#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace glossivo {

// Local calendar days written "yyyy-MM-dd" (Gregorian, the process's time zone).
namespace DayKey {

QString of(const QDateTime& time);
// Local midnight at the start of the day; none for a text that is not a day key.
std::optional<QDateTime> parse(const QString& key);

} // namespace DayKey
} // namespace glossivo
