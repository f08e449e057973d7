#include "coach/CoachHistory.h"

#include "model/JsonFields.h"

#include <QJsonDocument>

namespace glossivo {

CoachHistory::CoachHistory(const QString& path) : m_file(path)
{
    load();
}

void CoachHistory::load()
{
    const auto bytes = m_file.read();
    if (!bytes) return;
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(*bytes, &error);
    try {
        if (error.error != QJsonParseError::NoError || !document.isArray())
            throw JsonError("coach.json: not an array");
        m_days = Json::objectList<CoachDay>(document.array(), "day");
    } catch (const JsonError&) {
        m_file.markDamaged();
        m_days.clear();
    }
}

std::optional<CoachHistory::Briefing> CoachHistory::previousBriefing(const QString& todayKey) const
{
    for (auto day = m_days.crbegin(); day != m_days.crend(); ++day) {
        if (day->day == todayKey) continue;
        for (const CoachMessage& message : day->messages) {
            if (!message.fromCoach) continue;
            if (message.text.isEmpty()) return std::nullopt;
            return Briefing{day->day, message.text};
        }
        return std::nullopt;
    }
    return std::nullopt;
}

void CoachHistory::record(const QString& dayKey, const QList<CoachMessage>& messages)
{
    QList<CoachMessage> kept;
    for (const CoachMessage& message : messages)
        if (!message.text.isEmpty()) kept.append(message);
    if (kept.isEmpty()) return;

    m_days.removeIf([&dayKey](const CoachDay& day) { return day.day == dayKey; });
    m_days.append(CoachDay{dayKey, kept});
    if (m_days.size() > kDaysKept) m_days.remove(0, m_days.size() - kDaysKept);
    m_file.write(QJsonDocument(Json::toArray(m_days)).toJson(QJsonDocument::Indented));
}

} // namespace glossivo
