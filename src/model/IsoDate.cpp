#include "model/IsoDate.h"

#include <QRegularExpression>
#include <QTimeZone>

#include <algorithm>

namespace glossivo::IsoDate {

namespace {

// Four-digit years in UTC: the written form of any instant outside can never be read back.
const QDateTime& earliest()
{
    static const QDateTime time(QDate(1, 1, 1), QTime(0, 0), QTimeZone::utc());
    return time;
}

const QDateTime& latest()
{
    static const QDateTime time(QDate(9999, 12, 31), QTime(23, 59, 59), QTimeZone::utc());
    return time;
}

} // namespace

QDateTime wholeSeconds(const QDateTime& time)
{
    // Floor, not truncation: an instant before 1970 must not move forward.
    const qint64 msecs = time.toMSecsSinceEpoch();
    const qint64 seconds = msecs / 1000 - (msecs % 1000 < 0 ? 1 : 0);
    return QDateTime::fromSecsSinceEpoch(seconds, QTimeZone::utc());
}

QString format(const QDateTime& time)
{
    return std::clamp(wholeSeconds(time), earliest(), latest())
               .toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) +
           QLatin1Char('Z');
}

std::optional<QDateTime> parse(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral(
        R"(^(\d{4})-(\d{2})-(\d{2})T(\d{2}):(\d{2}):(\d{2})(?:(Z)|([+-])(\d{2}):(\d{2}))$)"));
    const auto match = pattern.match(text);
    if (!match.hasMatch()) return std::nullopt;
    auto number = [&](int group) { return match.capturedView(group).toInt(); };
    const QDate date(number(1), number(2), number(3));
    const QTime time(number(4), number(5), number(6));
    if (!date.isValid() || !time.isValid()) return std::nullopt;
    int offsetSeconds = 0;
    if (match.capturedView(7).isEmpty()) {
        const int hours = number(9), minutes = number(10);
        if (hours > 23 || minutes > 59) return std::nullopt;
        offsetSeconds = (hours * 3600 + minutes * 60) * (match.capturedView(8) == u"-" ? -1 : 1);
    }
    const QDateTime instant = QDateTime(date, time, QTimeZone::utc()).addSecs(-offsetSeconds);
    if (instant < earliest() || latest() < instant) return std::nullopt;
    return instant;
}

} // namespace glossivo::IsoDate
