#pragma once

#include <QDir>
#include <QString>

namespace glossivo::test {

// The folder of a feature's pictures, build/<kind>/snapshots/<feature>, made when missing.
// They are for people to look at, not golden files: tests only check they are not blank.
inline QString snapshotFolder(const QString& feature)
{
    const QString path = QStringLiteral(GLOSSIVO_SNAPSHOT_DIR "/") + feature;
    QDir().mkpath(path);
    return path;
}

} // namespace glossivo::test
