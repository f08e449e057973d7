#include "app/ApplicationNames.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace glossivo {

namespace {

// The value of the first of the keys present in the main group of a desktop entry.
QString readName(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QStringList keys{QStringLiteral("Name[zh_CN]"), QStringLiteral("Name[zh]"),
                           QStringLiteral("Name")};
    QMap<QString, QString> values;
    bool inMainGroup = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inMainGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!inMainGroup) continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0) continue;
        const QString key = line.left(equals).trimmed();
        if (keys.contains(key) && !values.contains(key))
            values.insert(key, line.mid(equals + 1).trimmed());
    }
    for (const QString& key : keys)
        if (!values.value(key).isEmpty()) return values.value(key);
    return {};
}

} // namespace

ApplicationNames::ApplicationNames(QStringList folders) : m_folders(std::move(folders)) {}

ApplicationNames ApplicationNames::standard()
{
    return ApplicationNames(
        QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation));
}

QString ApplicationNames::entryPath(const QString& id) const
{
    // A window class is a file name here, so it must not reach outside the folder.
    if (id.isEmpty() || id.contains(QLatin1Char('/'))) return {};
    for (const QString& name : {id, id.toLower()}) {
        for (const QString& folder : m_folders) {
            const QString path = QDir(folder).filePath(name + QStringLiteral(".desktop"));
            if (QFile::exists(path)) return path;
        }
    }
    return {};
}

QString ApplicationNames::displayName(const QString& id) const
{
    const QString path = entryPath(id);
    if (path.isEmpty()) return {};
    QString name = readName(path);
    name.remove(QStringLiteral(".app"), Qt::CaseSensitive);
    return name;
}

} // namespace glossivo
