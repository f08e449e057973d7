#include "app/AutostartFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <cstdio>
#include <syslog.h>

namespace glossivo {

AutostartFile::AutostartFile(QString path, QString executable, Log log)
    : m_path(std::move(path)), m_executable(std::move(executable)), m_log(std::move(log))
{}

AutostartFile AutostartFile::forThisProgram()
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return AutostartFile(QDir(config).filePath(QStringLiteral("autostart/glossivo.desktop")),
                         QCoreApplication::applicationFilePath());
}

void AutostartFile::systemLog(const QString& line)
{
    const QByteArray text = line.toUtf8();
    std::fprintf(stderr, "%s\n", text.constData());
    std::fflush(stderr);
    ::syslog(LOG_WARNING, "%s", text.constData());
}

bool AutostartFile::enabled() const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    // Desktops switch an entry off without removing it by either of two keys.
    while (!file.atEnd()) {
        const QByteArray line = file.readLine();
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0) continue;
        const QByteArray key = line.left(equals).trimmed();
        const QByteArray value = line.mid(equals + 1).trimmed();
        if ((key == "Hidden" && value == "true") ||
            (key == "X-GNOME-Autostart-enabled" && value == "false"))
            return false;
    }
    return true;
}

void AutostartFile::setEnabled(bool on)
{
    const QString error = on ? write() : remove();
    if (!error.isEmpty()) m_log(QStringLiteral("Glossivo: 设置开机启动失败 ") + error);
}

QString AutostartFile::write() const
{
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!QDir().mkpath(folder)) return QStringLiteral("无法创建文件夹 %1").arg(folder);
    QSaveFile file(m_path);
    const QByteArray text = entryText(m_executable).toUtf8();
    if (file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit())
        return {};
    return QStringLiteral("无法写入 %1（%2）").arg(m_path, file.errorString());
}

QString AutostartFile::remove() const
{
    QFile file(m_path);
    if (!file.exists() || file.remove()) return {};
    return QStringLiteral("无法删除 %1（%2）").arg(m_path, file.errorString());
}

QString AutostartFile::entryText(const QString& executable)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Glossivo\n"
                          "Comment=选中英文，马上看懂，记进生词本\n"
                          "Exec=%1\n"
                          "Icon=glossivo\n"
                          "Terminal=false\n"
                          "Categories=Education;Languages;\n"
                          "StartupNotify=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(execArgument(executable));
}

QString AutostartFile::execArgument(const QString& executable)
{
    // The Exec key gives '%' a meaning of its own; inside double quotes '"', '`', '$' and '\'
    // need a backslash.
    QString argument = executable;
    argument.replace(QLatin1Char('%'), QStringLiteral("%%"));
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    const bool needsQuotes =
        std::any_of(argument.begin(), argument.end(), [](QChar c) { return reserved.contains(c); });
    if (!needsQuotes) return argument;
    QString quoted;
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace glossivo
