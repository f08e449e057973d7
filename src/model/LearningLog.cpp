#include "model/LearningLog.h"

#include "model/AppPaths.h"
#include "model/IsoDate.h"
#include "model/JsonFields.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

#include <cerrno>
#include <fcntl.h>
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

bool appendAll(const QString& path, const QByteArray& bytes)
{
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    bool ok = true;
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
        if (written < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        data += written;
        left -= written;
    }
    return ::close(fd) == 0 && ok;
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

void LearningLog::add(const QString& kind, const QString& word,
                      const std::optional<QString>& detail)
{
    const Event event{m_clock.now(), kind, word, detail};
    appendAll(m_file.path(), event.toLine().toUtf8() + kLineFeed);
}

QStringList LearningLog::readLines()
{
    const auto bytes = m_file.read();
    if (!bytes) return {};
    return QString::fromUtf8(*bytes).split(QLatin1Char(kLineFeed), Qt::SkipEmptyParts);
}

void LearningLog::replaceAll(const QStringList& lines)
{
    QByteArray content;
    for (const QString& line : lines) {
        if (line.isEmpty() || line.contains(QLatin1Char(kLineFeed))) continue;
        content += line.toUtf8() + kLineFeed;
    }
    m_file.write(content);
}

} // namespace glossivo
