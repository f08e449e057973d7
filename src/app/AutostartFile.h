#pragma once

#include "app/LaunchAtLogin.h"

#include <QString>

#include <functional>

namespace glossivo {

// Launch at login as the desktops know it: a desktop entry in the user's autostart folder
// that starts this executable.
class AutostartFile final : public LaunchAtLogin {
public:
    // Receives the failure line.
    using Log = std::function<void(const QString& line)>;

    AutostartFile(QString path, QString executable, Log log = systemLog);
    // "$XDG_CONFIG_HOME/autostart/glossivo.desktop" for the running executable.
    static AutostartFile forThisProgram();
    // The line goes to standard error and to the system log, as plain text.
    static void systemLog(const QString& line);

    // The entry is there and not hidden.
    bool enabled() const override;
    void setEnabled(bool on) override;

    // The desktop entry that starts the executable; the installed application entry has the
    // same keys.
    static QString entryText(const QString& executable);
    // The executable as one argument of an Exec line, quoted when it needs to be.
    static QString execArgument(const QString& executable);

private:
    QString write() const;
    QString remove() const;

    QString m_path;
    QString m_executable;
    Log m_log;
};

} // namespace glossivo
