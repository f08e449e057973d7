#include "model/DayKey.h"

namespace glossivo::DayKey {

QString of(const QDateTime& time)
{
    return time.toLocalTime().date().toString(QStringLiteral("yyyy-MM-dd"));
}

} // namespace glossivo::DayKey
