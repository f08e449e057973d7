#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

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

    ProgramOutcome run(const QStringList& arguments)
    {
        m_process.setProcessEnvironment(m_environment);
        m_process.start(QStringLiteral(GLOSSIVO_EXECUTABLE), arguments);
        if (!m_process.waitForFinished(120000) || m_process.exitStatus() != QProcess::NormalExit)
            throw std::runtime_error("the program did not finish normally");
        return {QString::fromUtf8(m_process.readAllStandardOutput()),
                QString::fromUtf8(m_process.readAllStandardError()), m_process.exitCode()};
    }

private:
    QTemporaryDir m_home;
    QProcessEnvironment m_environment;
    QProcess m_process;
};

} // namespace glossivo::testing
