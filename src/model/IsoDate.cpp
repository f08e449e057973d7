#include "model/IsoDate.h"

#include <algorithm>

namespace glossivo::IsoDate {

namespace {

// Four-digit years in UTC: the written form of any instant outside can never be read back.
constexpr qint64 kEarliestSeconds = -62135596800; // 0001-01-01T00:00:00Z
constexpr qint64 kLatestSeconds = 253402300799;   // 9999-12-31T23:59:59Z

const QDateTime& earliest()
{
    static const QDateTime time = QDateTime::fromSecsSinceEpoch(kEarliestSeconds, Qt::UTC);
    return time;
}

const QDateTime& latest()
{
    static const QDateTime time = QDateTime::fromSecsSinceEpoch(kLatestSeconds, Qt::UTC);
    return time;
}

// Days from 1970-01-01 to the date of the proleptic Gregorian calendar (Howard Hinnant's
// days_from_civil): a word book holds tens of thousands of dates, and QDate would validate and
// convert each through several calls.
constexpr qint64 daysFromCivil(int year, int month, int day)
{
    year -= month <= 2 ? 1 : 0;
    const int era = (year >= 0 ? year : year - 399) / 400;
    const int yearOfEra = year - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return qint64(era) * 146097 + dayOfEra - 719468;
}

// The date of a day counted from 1970-01-01 (Howard Hinnant's civil_from_days).
struct Civil {
    int year, month, day;
};

constexpr Civil civilFromDays(qint64 days)
{
    days += 719468;
    const qint64 era = (days >= 0 ? days : days - 146096) / 146097;
    const int dayOfEra = int(days - era * 146097);
    const int yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int shiftedMonth = (5 * dayOfYear + 2) / 153;
    const int day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    const int month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    return {int(era * 400 + yearOfEra) + (month <= 2 ? 1 : 0), month, day};
}

constexpr qint64 floorDivide(qint64 value, qint64 divisor)
{
    return value / divisor - (value % divisor < 0 ? 1 : 0);
}

constexpr int daysInMonth(int year, int month)
{
    constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

// The ASCII digits at text[at, at + count) as a number; -1 when any is not a digit.
int digits(std::string_view text, size_t at, size_t count)
{
    int value = 0;
    for (size_t i = at; i < at + count; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

QDateTime wholeSeconds(const QDateTime& time)
{
    // Floor, not truncation: an instant before 1970 must not move forward.
    return QDateTime::fromSecsSinceEpoch(floorDivide(time.toMSecsSinceEpoch(), 1000), Qt::UTC);
}

QString format(const QDateTime& time)
{
    if (!time.isValid())
        return std::clamp(wholeSeconds(time), earliest(), latest())
                   .toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) +
               QLatin1Char('Z');
    // Straight from the instant: a sync pass writes every date of tens of thousands of words,
    // and QDateTime's formatting cost most of that.
    const qint64 msecs = time.toMSecsSinceEpoch();
    const qint64 seconds = std::clamp(floorDivide(msecs, 1000), kEarliestSeconds, kLatestSeconds);
    const qint64 days = floorDivide(seconds, 86400);
    const int secondOfDay = int(seconds - days * 86400);
    const auto [year, month, day] = civilFromDays(days);
    char text[20];
    const auto put = [&text](int at, int value, int width) {
        for (int i = width - 1; i >= 0; --i, value /= 10)
            text[at + i] = char('0' + value % 10);
    };
    put(0, year, 4);
    text[4] = '-';
    put(5, month, 2);
    text[7] = '-';
    put(8, day, 2);
    text[10] = 'T';
    put(11, secondOfDay / 3600, 2);
    text[13] = ':';
    put(14, secondOfDay / 60 % 60, 2);
    text[16] = ':';
    put(17, secondOfDay % 60, 2);
    text[19] = 'Z';
    return QString::fromLatin1(text, sizeof text);
}

std::optional<QDateTime> parse(const QString& text)
{
    // Anything but ASCII cannot be a date; the conversion keeps the length, so such text fails
    // in the parse below. The view takes the length too: read as a C string, a NUL would end the
    // date early and let whatever follows it pass.
    const QByteArray latin = text.toLatin1();
    return parse(std::string_view(latin.constData(), size_t(latin.size())));
}

// "yyyy-MM-ddTHH:mm:ss" then "Z" or "+hh:mm" / "-hh:mm".
std::optional<QDateTime> parse(std::string_view text)
{
    if (text.size() != 20 && text.size() != 25) return std::nullopt;
    if (text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' || text[16] != ':')
        return std::nullopt;
    const int year = digits(text, 0, 4), month = digits(text, 5, 2), day = digits(text, 8, 2);
    const int hour = digits(text, 11, 2), minute = digits(text, 14, 2);
    const int second = digits(text, 17, 2);
    if (year < 1 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month) ||
        hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return std::nullopt;
    int offsetSeconds = 0;
    if (text.size() == 20) {
        if (text[19] != 'Z') return std::nullopt;
    } else {
        const char sign = text[19];
        const int offsetHours = digits(text, 20, 2), offsetMinutes = digits(text, 23, 2);
        if ((sign != '+' && sign != '-') || text[22] != ':' || offsetHours < 0 ||
            offsetHours > 23 || offsetMinutes < 0 || offsetMinutes > 59)
            return std::nullopt;
        offsetSeconds = (offsetHours * 3600 + offsetMinutes * 60) * (sign == '-' ? -1 : 1);
    }
    const qint64 seconds = daysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 +
                           second - offsetSeconds;
    // A date of the last or first hours written with an offset can fall just outside the years
    // that UTC text can hold. It reads as the nearest end, the instant the writer would write
    // for it: one such date must not cost the whole document it stands in.
    return QDateTime::fromSecsSinceEpoch(std::clamp(seconds, kEarliestSeconds, kLatestSeconds),
                                         Qt::UTC);
}

} // namespace glossivo::IsoDate
