#include "model/AppPaths.h"

#include "model/AtomicFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace glossivo {

AppPaths::AppPaths(QString supportDir) : m_supportDir(std::move(supportDir)) {}

QString AppPaths::supportDirFor(const QString& environmentValue)
{
    if (!environmentValue.isEmpty()) return QDir(environmentValue).absolutePath();
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Glossivo");
}

AppPaths AppPaths::prepare(const QString& environmentValue)
{
    AppPaths made(supportDirFor(environmentValue));
    const QFileInfo folder(made.supportDir());
    constexpr QFileDevice::Permissions ownerOnly =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
    // A failure here surfaces later as documents that neither load nor save.
    if (!folder.exists()) {
        QDir().mkpath(folder.absolutePath());
        QDir().mkdir(folder.absoluteFilePath(), ownerOnly);
    } else if (environmentValue.isEmpty() && folder.isDir() && !folder.isSymLink()) {
        QFile::setPermissions(folder.absoluteFilePath(), ownerOnly);
    }
    return made;
}

const AppPaths& AppPaths::shared()
{
    static const AppPaths paths = [] {
        AppPaths made = prepare(qEnvironmentVariable("GLOSSIVO_DATA_DIR"));
        // Only a write under way holds its file, so this is safe beside a running copy.
        AtomicFile::removeLeftoversIn(made.supportDir());
        return made;
    }();
    return paths;
}

QString AppPaths::file(const char* name) const
{
    return m_supportDir + QLatin1Char('/') + QLatin1String(name);
}

} // namespace glossivo
