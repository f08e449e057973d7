#pragma once

#include "model/Clock.h"
#include "model/DocumentFile.h"
#include "model/FileDescriptor.h"
#include "model/TextFile.h"

#include <QDateTime>
#include <QJsonObject>
#include <QStringList>

#include <optional>

#include <sys/types.h>

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

    const QString& path() const { return m_file.path(); }

    // Stamps an event now but only keeps it, for the next flush(). Appending is the word book's
    // to do, inside its turn, so that no append races another process's rewrite of the log.
    // The file is only ever appended to, never truncated, so an append cannot cost earlier
    // lines. An event that cannot be written is kept and goes out, in order, with the next
    // successful write. Lines that reached the file but whose flush failed wait too: the next
    // write flushes them again rather than appending them twice.
    void hold(const QString& kind, const QString& word,
              const std::optional<QString>& detail = std::nullopt);
    // Writes whatever is waiting (a replacement, then the events held since); true when nothing
    // is left waiting.
    bool flush();
    bool hasWaiting() const
    {
        return m_replacement || !m_waiting.isEmpty() || m_unflushed.isOpen();
    }
    // Why the last write failed.
    const QString& lastError() const { return m_error; }

    // Every non-empty line on disk, unparsed; empty when the log is missing or unreadable.
    // Events still waiting to be written are not among them.
    QStringList readLines();

    // Rewrites the log atomically with these lines (after a sync merge). A line holding a line
    // break would become two broken events, so such a line is left out, as are empty ones. An
    // unreadable log is copied aside first. When the rewrite fails it waits, like an event;
    // events held and not yet written follow the new lines, as do the lines appended to the log
    // since readLines() read what the new ones were made from (another process's among them).
    bool replaceAll(const QStringList& lines);
    // Only keeps the new lines, for the next flush().
    void holdReplacement(const QStringList& lines);

    // Removes the temporary files that an interrupted rewrite left beside the log.
    void removeLeftovers() { m_file.removeLeftovers(); }

private:
    struct ReadMark {
        dev_t device = 0;
        ino_t inode = 0; // none for a log that was not there
        qsizetype size = 0;
    };
    static std::optional<ReadMark> markOf(const TextFile& file, qsizetype size);

    bool append();
    QByteArray withLinesAppendedSince(const QByteArray& replacement);
    bool flushAppended();

    DocumentFile m_file;
    const Clock& m_clock;
    std::optional<QByteArray> m_replacement; // a whole new content not yet on disk
    QByteArray m_waiting;                    // lines to append after what is on disk
    // The log that lines were appended to but not yet flushed, and whether that append made it
    // (its folder is flushed then too).
    FileDescriptor m_unflushed;
    bool m_unflushedMade = false;
    QString m_error;
    std::optional<ReadMark> m_read; // the log as readLines() last read it
};

} // namespace glossivo
