#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace glossivo {

// ISO-8601 internet date-times as every document of the data folder writes them:
// "2026-10-07T08:00:00Z", UTC, whole seconds.
namespace IsoDate {

// Formats in UTC and drops the fraction of a second.
QString format(const QDateTime& time);

// Accepts a full date, "T", hours, minutes and whole seconds, then "Z" or a "+hh:mm" offset.
// A fraction of a second, a missing zone or an impossible date gives none.
std::optional<QDateTime> parse(const QString& text);

// Drops the fraction of a second, as a write and read back would.
QDateTime wholeSeconds(const QDateTime& time);

} // namespace IsoDate
} // namespace glossivo
