#include "app/GrowthRecord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace glossivo {

GrowthRecord::GrowthRecord(QString supportDir, Opener open, Alert alert, QObject* parent)
    : QObject(parent), m_folder(folderFor(supportDir)), m_open(std::move(open)),
      m_alert(std::move(alert))
{}

QString GrowthRecord::folderFor(const QString& supportDir)
{
    const QString parent = QFileInfo(QDir::cleanPath(supportDir)).path();
    return QDir(parent).filePath(QStringLiteral("Glossivo 成长档案"));
}

QString GrowthRecord::script() const
{
    return QDir(m_folder).filePath(QStringLiteral("程序/journey.py"));
}

QString GrowthRecord::page() const
{
    return QDir(m_folder).filePath(QStringLiteral("成长档案.html"));
}

bool GrowthRecord::installed() const
{
    return QFileInfo(script()).isFile();
}

void GrowthRecord::show()
{
    if (!QFileInfo::exists(script())) {
        showPage();
        return;
    }
    // The script's output is of no use here; the page it leaves behind is.
    auto* process = new QProcess(this);
    process->setProgram(m_interpreter);
    process->setArguments({script()});
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    connect(process, &QProcess::finished, this, [this, process] {
        process->deleteLater();
        showPage();
    });
    connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart) return;
        process->deleteLater();
        showPage();
    });
    process->start();
}

void GrowthRecord::showPage()
{
    if (QFileInfo::exists(page()))
        m_open(QUrl::fromLocalFile(page()));
    else
        m_alert(QStringLiteral("成长档案还没装好"),
                QStringLiteral("把 journey.py 放进「Glossivo 成长档案/程序」文件夹就会装好。"));
}

} // namespace glossivo
