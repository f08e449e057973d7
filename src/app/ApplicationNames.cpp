#include "app/ApplicationNames.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace glossivo {

namespace {

// The values of the main group of a desktop entry.
QMap<QString, QString> mainGroup(const QString& path)
{
    QMap<QString, QString> values;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return values;
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
        if (!values.contains(key)) values.insert(key, line.mid(equals + 1).trimmed());
    }
    return values;
}

// The name in Chinese when the entry has one, else its plain name.
QString readName(const QString& path)
{
    const QMap<QString, QString> values = mainGroup(path);
    for (const char* key : {"Name[zh_CN]", "Name[zh]", "Name"})
        if (!values.value(QLatin1String(key)).isEmpty()) return values.value(QLatin1String(key));
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
    return windowClasses().value(id.toLower());
}

const QHash<QString, QString>& ApplicationNames::windowClasses() const
{
    // Read once: the entries are many, and the exclusion list asks for every one of its names.
    if (!m_windowClasses) {
        m_windowClasses.emplace();
        for (const QString& folder : m_folders) {
            const QDir dir(folder);
            for (const QString& file : dir.entryList({QStringLiteral("*.desktop")}, QDir::Files)) {
                const QString path = dir.filePath(file);
                const QString wmClass =
                    mainGroup(path).value(QStringLiteral("StartupWMClass")).toLower();
                // The first folder is the most important.
                if (!wmClass.isEmpty() && !m_windowClasses->contains(wmClass))
                    m_windowClasses->insert(wmClass, path);
            }
        }
    }
    return *m_windowClasses;
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
