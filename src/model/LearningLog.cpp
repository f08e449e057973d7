#include "model/LearningLog.h"

#include "model/AppPaths.h"
#include "model/AtomicFile.h"
#include "model/FileError.h"
#include "model/IsoDate.h"
#include "model/JsonFields.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace glossivo {

namespace {

constexpr char kLineFeed = '\n';

// A JSON string literal, escaped as QJsonDocument escapes it.
QByteArray quoted(const QString& text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

// A file cut short mid-line (a full disk, a kill) would glue the next line onto the broken one.
bool endsWithLineFeed(int fd, bool& ends)
{
    struct stat info {};
    if (::fstat(fd, &info) != 0) return false;
    if (info.st_size == 0) {
        ends = true;
        return true;
    }
    char last = 0;
    ssize_t read = 0;
    do {
        read = ::pread(fd, &last, 1, info.st_size - 1);
    } while (read < 0 && errno == EINTR);
    if (read != 1) return false;
    ends = last == kLineFeed;
    return true;
}

// Writes as much as it can; the number of bytes written.
qsizetype writeAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written =
            ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (written < 0) {
            if (errno == EINTR) continue;
            break;
        }
        done += written;
    }
    return done;
}

} // namespace

QString LearningLog::Event::toLine() const
{
    QByteArray line = "{\"time\":" + quoted(IsoDate::format(time)) + ",\"kind\":" + quoted(kind) +
                      ",\"word\":" + quoted(word);
    if (detail) line += ",\"detail\":" + quoted(*detail);
    line += '}';
    return QString::fromUtf8(line);
}

std::optional<LearningLog::Event> LearningLog::Event::fromLine(const QString& line)
{
    const QJsonDocument document = QJsonDocument::fromJson(line.toUtf8());
    if (!document.isObject()) return std::nullopt;
    const QJsonObject object = document.object();
    try {
        return Event{Json::date(object, "time"), Json::string(object, "kind"),
                     Json::string(object, "word"), Json::optionalString(object, "detail")};
    } catch (const JsonError&) {
        return std::nullopt;
    }
}

LearningLog::LearningLog(const QString& path, const Clock& clock) : m_file(path), m_clock(clock) {}

LearningLog& LearningLog::shared()
{
    static LearningLog log(AppPaths::shared().log(), Clock::system());
    return log;
}

void LearningLog::hold(const QString& kind, const QString& word,
                       const std::optional<QString>& detail)
{
    const Event event{m_clock.now(), kind, word, detail};
    m_waiting += event.toLine().toUtf8() + kLineFeed;
}

// What a file held open is: which file, and how long.
std::optional<LearningLog::ReadMark> LearningLog::markOf(const TextFile& file, qsizetype size)
{
    struct stat info {};
    if (!file.isOpen() || ::fstat(file.descriptor(), &info) != 0) return std::nullopt;
    return ReadMark{info.st_dev, info.st_ino, size};
}

// A replacement is made from the lines read before it, and may wait for its turn: the lines
// appended since (this process's, or another's meanwhile) are kept after it. Where another
// process replaced the log since, its lines that the replacement lacks are.
QByteArray LearningLog::withLinesAppendedSince(const QByteArray& replacement)
{
    if (!m_read) return replacement;
    TextFile file;
    const std::optional<QByteArray> bytes = m_file.read(&file);
    const std::optional<ReadMark> now = markOf(file, bytes ? bytes->size() : 0);
    if (!bytes || !now) return replacement;
    const bool appended =
        now->device == m_read->device && now->inode == m_read->inode && now->size >= m_read->size;
    const QByteArray since = appended ? bytes->mid(m_read->size) : *bytes;
    const QList<QByteArray> kept = replacement.split(kLineFeed);
    const QSet<QByteArray> known(kept.begin(), kept.end());
    QByteArray content = replacement;
    for (const QByteArray& line : since.split(kLineFeed))
        if (!line.isEmpty() && !known.contains(line)) content += line + kLineFeed;
    return content;
}

bool LearningLog::flush()
{
    if (m_replacement) {
        if (!m_file.write(withLinesAppendedSince(*m_replacement))) {
            m_error = m_file.lastError();
            return false;
        }
        m_replacement.reset();
        m_read.reset();
        // Lines appended before are in the new content or were merged away.
        m_unflushed = FileDescriptor();
    }
    return flushAppended() && (m_waiting.isEmpty() || append());
}

// The very file the lines went to: a flush of the path could find another file there.
bool LearningLog::flushAppended()
{
    if (!m_unflushed.isOpen()) return true;
    if (!AtomicFile::sync(m_unflushed.get()) ||
        (m_unflushedMade && !AtomicFile::syncFolder(m_file.path()))) {
        m_error = FileError::reason(errno);
        return false;
    }
    m_unflushed = FileDescriptor();
    return true;
}

// A failure can cut the lines short: the whole lines that reached the file are not written
// again, and the broken one stays as a line that no reader takes for an event.
bool LearningLog::append()
{
    const QByteArray path = QFile::encodeName(m_file.path());
    FileDescriptor fd(::open(path.constData(), O_RDWR | O_APPEND | O_CLOEXEC));
    const bool made = !fd.isOpen() && errno == ENOENT;
    if (made)
        fd =
            FileDescriptor(::open(path.constData(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0600));
    bool ends = true;
    if (!fd.isOpen() || !endsWithLineFeed(fd.get(), ends)) {
        m_error = FileError::reason(errno);
        return false;
    }
    // A log that an older version made may still be readable by others; only a tidy-up.
    ::fchmod(fd.get(), 0600);
    const qsizetype lead = ends ? 0 : 1;
    const QByteArray bytes = ends ? m_waiting : kLineFeed + m_waiting;
    const qsizetype written = writeAll(fd.get(), bytes);
    const int error = errno;
    const qsizetype lineEnd = written > 0 ? bytes.lastIndexOf(kLineFeed, written - 1) + 1 : 0;
    if (lineEnd > lead) m_waiting.remove(0, lineEnd - lead);
    // The events count as written once they are on disk, and a log this append made only once
    // the folder names it. Until then the file is kept, to be flushed again.
    if (written > 0 || made) {
        m_unflushed = std::move(fd);
        m_unflushedMade = made;
        if (!flushAppended()) return false;
    }
    if (written < bytes.size()) {
        m_error = FileError::reason(error);
        return false;
    }
    return true;
}

QStringList LearningLog::readLines()
{
    TextFile file;
    const auto bytes = m_file.read(&file);
    // A log that is not there yet has every line appended since.
    if (!bytes) {
        m_read = ReadMark{};
        return {};
    }
    // A line still being appended (read outside a turn) is not read yet: it belongs to what is
    // appended since, whole.
    const qsizetype whole = bytes->lastIndexOf(kLineFeed) + 1;
    m_read = markOf(file, whole);
    return QString::fromUtf8(bytes->first(whole)).split(QLatin1Char(kLineFeed), Qt::SkipEmptyParts);
}

bool LearningLog::replaceAll(const QStringList& lines)
{
    holdReplacement(lines);
    return flush();
}

void LearningLog::holdReplacement(const QStringList& lines)
{
    QByteArray content;
    for (const QString& line : lines) {
        if (line.isEmpty() || line.contains(QLatin1Char(kLineFeed))) continue;
        content += line.toUtf8() + kLineFeed;
    }
    m_replacement = content;
}

} // namespace glossivo
