#include "model/DayKey.h"

namespace glossivo::DayKey {

namespace {
const QString kFormat = QStringLiteral("yyyy-MM-dd");
}

QString of(const QDateTime& time)
{
    return time.toLocalTime().date().toString(kFormat);
}

std::optional<QDateTime> parse(const QString& key)
{
    const QDate day = QDate::fromString(key, kFormat);
    if (!day.isValid()) return std::nullopt;
    return day.startOfDay();
}

} // namespace glossivo::DayKey
