#pragma once

#include "model/AppPaths.h"

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>

namespace glossivo::testing {

// A fresh, empty data folder that disappears with the test.
class DataFolder {
public:
    DataFolder();

    AppPaths paths() const { return AppPaths(m_dir.path()); }
    QString path(const QString& name) const { return m_dir.filePath(name); }

    void write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;
    bool exists(const QString& name) const;
    // Names of the files in the folder, sorted; the word book's lock file, which holds nothing,
    // left out.
    QStringList files() const;

private:
    QTemporaryDir m_dir;
};

} // namespace glossivo::testing
