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
        m_process.start(QStringLiteral(GLOSSIVO_EXECUTABLE), arguments);
        loop.exec();
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
            throw std::runtime_error("the program did not finish in time");
        }
        if (m_process.exitStatus() != QProcess::NormalExit)
            throw std::runtime_error("the program did not finish normally");
        return {QString::fromUtf8(m_process.readAllStandardOutput()),
                QString::fromUtf8(m_process.readAllStandardError()), m_process.exitCode()};
    }

private:
    QTemporaryDir m_home;
    QProcessEnvironment m_environment;
    QProcess m_process;
};

// Runs the program over the given data folder.
inline ProgramOutcome runIn(const DataFolder& folder, const QStringList& arguments)
{
    ProgramRun program;
    program.setDataDir(folder.paths().supportDir());
    return program.run(arguments);
}

} // namespace glossivo::testing
