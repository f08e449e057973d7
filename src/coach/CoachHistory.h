#pragma once

#include "coach/CoachDay.h"
#include "model/DocumentFile.h"

#include <optional>

namespace glossivo {

// coach.json: the coach's conversations of the last thirty days, one per day, oldest first.
// Reading is all-or-nothing: one damaged day or message makes the whole history empty, and the
// damaged file is copied aside before the next write replaces it.
class CoachHistory {
public:
    static constexpr qsizetype kDaysKept = 30;

    struct Briefing {
        QString day;
        QString text;
    };

    explicit CoachHistory(const QString& path);

    const QList<CoachDay>& days() const { return m_days; }

    // The first coach message of the newest day other than today, when it has text. Only that
    // one day counts: an older brief would be stale advice.
    std::optional<Briefing> previousBriefing(const QString& todayKey) const;

    // Files the messages that hold text as the conversation of that day, replacing any stored
    // one, keeps the last thirty days and writes the file. Nothing at all when no message holds
    // text, so a failed brief never wipes a stored conversation.
    void record(const QString& dayKey, const QList<CoachMessage>& messages);

private:
    void load();

    DocumentFile m_file;
    QList<CoachDay> m_days;
};

} // namespace glossivo
