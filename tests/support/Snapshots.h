#pragma once

#include <QDir>
#include <QImage>
#include <QSet>
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

// How many colours a picture shows, sampled on every other pixel: a blank one shows one or two.
inline int colourCount(const QImage& image)
{
    QSet<QRgb> seen;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            seen.insert(image.pixel(x, y));
    return static_cast<int>(seen.size());
}

} // namespace glossivo::test
