#include "model/AppPaths.h"

#include <QDir>
#include <QStandardPaths>

namespace glossivo {

AppPaths::AppPaths(QString supportDir) : m_supportDir(std::move(supportDir)) {}

QString AppPaths::supportDirFor(const QString& environmentValue)
{
    if (!environmentValue.isEmpty()) return QDir(environmentValue).absolutePath();
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Glossivo");
}

const AppPaths& AppPaths::shared()
{
    static const AppPaths paths = [] {
        AppPaths made(supportDirFor(qEnvironmentVariable("GLOSSIVO_DATA_DIR")));
        // A failure here surfaces later as documents that neither load nor save.
        QDir().mkpath(made.supportDir());
        return made;
    }();
    return paths;
}

QString AppPaths::file(const char* name) const
{
    return m_supportDir + QLatin1Char('/') + QLatin1String(name);
}

} // namespace glossivo
