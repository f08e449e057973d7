#pragma once

#include "support/DataFolder.h"

#include <QEventLoop>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTimer>

#include <stdexcept>

namespace glossivo::testing {

struct ProgramOutcome {
    QString out;
    QString err;
    int status = -1;
};

// Runs the real program with a throw-away home and no data folder unless one is set, so no
// test ever reaches the user's own files.
class ProgramRun {
public:
    ProgramRun() : m_environment(QProcessEnvironment::systemEnvironment())
    {
        m_environment.insert("HOME", m_home.path());
        m_environment.insert("XDG_DATA_HOME", m_home.filePath("share"));
        m_environment.remove("GLOSSIVO_DATA_DIR");
    }

    void setDataDir(const QString& path) { m_environment.insert("GLOSSIVO_DATA_DIR", path); }
    // Starts the program through another one, given the program's path and arguments after
    // these.
    void setLauncher(const QString& program, const QStringList& arguments)
    {
        m_launcher = program;
        m_launcherArguments = arguments;
    }
    void setWorkingDir(const QString& path) { m_process.setWorkingDirectory(path); }
    QString home() const { return m_home.path(); }

    // The test's own event loop keeps turning while the program runs, so that servers living
    // in the test process (a fake AI service) can answer it.
    ProgramOutcome run(const QStringList& arguments)
    {
        m_process.setProcessEnvironment(m_environment);
        QEventLoop loop;
        QObject::connect(&m_process, &QProcess::finished, &loop, &QEventLoop::quit);
        QObject::connect(&m_process, &QProcess::errorOccurred, &loop,
                         [&loop](QProcess::ProcessError error) {
                             if (error == QProcess::FailedToStart) loop.quit();
                         });
        QTimer::singleShot(120000, &loop, &QEventLoop::quit);
        if (m_launcher.isEmpty())
            m_process.start(QStringLiteral(GLOSSIVO_EXECUTABLE), arguments);
        else
            m_process.start(m_launcher,
                            m_launcherArguments + QStringList{GLOSSIVO_EXECUTABLE} + arguments);
        loop.exec();
        // What the program printed goes with the failure, so that a rare one can be read.
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
            throw std::runtime_error("the program did not finish in time" + printed());
        }
        if (m_process.exitStatus() != QProcess::NormalExit)
            throw std::runtime_error("the program did not finish normally" + printed());
        if (m_process.error() == QProcess::FailedToStart)
            throw std::runtime_error("the program did not start: " +
                                     m_process.errorString().toStdString());
        return {QString::fromUtf8(m_process.readAllStandardOutput()),
                QString::fromUtf8(m_process.readAllStandardError()), m_process.exitCode()};
    }

private:
    std::string printed()
    {
        return "; stdout: " + m_process.readAllStandardOutput().toStdString() +
               "; stderr: " + m_process.readAllStandardError().toStdString();
    }

    QTemporaryDir m_home;
    QProcessEnvironment m_environment;
    QProcess m_process;
    QString m_launcher;
    QStringList m_launcherArguments;
};

// A data folder that the disk refuses to write: as a tiny tmpfs, full or mounted read-only,
// in a mount namespace of the program's own, with the folder's "config.json" copied in first.
// full: not a byte free; onePage: room for one small document, so its second write fails;
// readOnly: mounted read-only.
enum class RefusingDisk { full, onePage, readOnly };

// Whether this machine lets a test mount such a folder (a user and mount namespace).
inline bool canMountRefusingDisks()
{
    QProcess probe;
    probe.start(QStringLiteral("unshare"),
                {"--user", "--map-root-user", "--mount", "sh", "-c",
                 "d=$(mktemp -d) && mount -t tmpfs -o size=64k probe \"$d\"; s=$?; rmdir \"$d\"; "
                 "exit $s"});
    return probe.waitForFinished(30000) && probe.exitStatus() == QProcess::NormalExit &&
           probe.exitCode() == 0;
}

inline void launchOnRefusingDisk(ProgramRun& program, RefusingDisk disk)
{
    const QString script = QStringLiteral(
        "set -e; mode=$1; shift; dir=$GLOSSIVO_DATA_DIR; config=$(cat \"$dir/config.json\"); "
        "mount -t tmpfs -o size=64k glossivo-test \"$dir\"; "
        "printf '%s' \"$config\" > \"$dir/config.json\"; "
        "if [ \"$mode\" = readonly ]; then mount -o remount,ro \"$dir\"; else "
        "dd if=/dev/zero of=\"$dir/filler\" bs=4096 2>/dev/null || true; fi; "
        "if [ \"$mode\" = page ]; then truncate -s -4096 \"$dir/filler\"; fi; exec \"$@\"");
    program.setLauncher(QStringLiteral("unshare"),
                        {"--user", "--map-root-user", "--mount", "sh", "-c", script, "refusing",
                         disk == RefusingDisk::full      ? "full"
                         : disk == RefusingDisk::onePage ? "page"
                                                         : "readonly"});
}

// Runs the program over the given data folder.
inline ProgramOutcome runIn(const DataFolder& folder, const QStringList& arguments)
{
    ProgramRun program;
    program.setDataDir(folder.paths().supportDir());
    return program.run(arguments);
}

} // namespace glossivo::testing
