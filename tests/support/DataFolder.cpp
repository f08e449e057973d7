#include "support/DataFolder.h"

#include <QDir>
#include <QFile>

#include <stdexcept>

namespace glossivo::testing {

DataFolder::DataFolder()
{
    if (!m_dir.isValid()) throw std::runtime_error("cannot create a temporary data folder");
}

void DataFolder::write(const QString& name, const QByteArray& bytes) const
{
    QFile file(path(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + name.toStdString());
}

QByteArray DataFolder::read(const QString& name) const
{
    QFile file(path(name));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

bool DataFolder::exists(const QString& name) const
{
    return QFile::exists(path(name));
}

QStringList DataFolder::files() const
{
    QStringList names = QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    names.removeOne(QStringLiteral("word-book.lock"));
    return names;
}

} // namespace glossivo::testing
