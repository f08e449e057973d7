#pragma once

#include <QDateTime>
#include <QString>

#include <optional>
#include <string_view>

namespace glossivo {

// ISO-8601 internet date-times as every document of the data folder writes them:
// "2026-10-07T08:00:00Z", UTC, whole seconds.
namespace IsoDate {

// Formats in UTC and drops the fraction of a second. An instant outside the years 1 to 9999 (in
// UTC) is written as the nearest one inside, so that every text written can be read back.
QString format(const QDateTime& time);

// Accepts a full date (years 1 to 9999), "T", hours, minutes and whole seconds, then "Z" or a
// "+hh:mm" offset. A fraction of a second, a missing zone or an impossible date gives none. An
// instant whose UTC form falls outside 0001-01-01T00:00:00Z ... 9999-12-31T23:59:59Z reads as
// the nearest of the two, as format() would write it.
std::optional<QDateTime> parse(const QString& text);
// The same for the UTF-8 text of a document, as it stands in the parser's buffer.
std::optional<QDateTime> parse(std::string_view text);

// Drops the fraction of a second, as a write and read back would.
QDateTime wholeSeconds(const QDateTime& time);

} // namespace IsoDate
} // namespace glossivo
