#pragma once

#include "model/Clock.h"
#include "model/DocumentFile.h"

#include <QDateTime>
#include <QJsonObject>
#include <QStringList>

#include <optional>

namespace glossivo {

// "learning-log.jsonl": one compact JSON object per learning event, one event per line. The
// coach reads it and sync merges its lines with other devices'.
class LearningLog {
public:
    struct Event {
        QDateTime time;
        QString kind;
        QString word;
        std::optional<QString> detail;

        // Keys in field order; "detail" only when there is one.
        QString toLine() const;
        // "time", "kind" and "word" are required; none for anything else.
        static std::optional<Event> fromLine(const QString& line);

        bool operator==(const Event&) const = default;
    };

    LearningLog(const QString& path, const Clock& clock);

    // The log of the process's data folder.
    static LearningLog& shared();

    // Appends one event stamped now. The file is only ever appended to here, never truncated,
    // so an append cannot cost earlier lines; an event that cannot be written is lost alone.
    void add(const QString& kind, const QString& word,
             const std::optional<QString>& detail = std::nullopt);

    // Every non-empty line, unparsed; empty when the log is missing or unreadable.
    QStringList readLines();

    // Rewrites the log atomically with these lines (after a sync merge). A line holding a line
    // break would become two broken events, so such a line is left out, as are empty ones. An
    // unreadable log is copied aside first.
    void replaceAll(const QStringList& lines);

private:
    DocumentFile m_file;
    const Clock& m_clock;
};

} // namespace glossivo
