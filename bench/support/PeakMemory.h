#pragma once

#include <QFile>

#include <malloc.h>

namespace glossivo::bench {

// The process's peak resident memory since the last reset.
inline double peakMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ')[0].toDouble() / 1024;
    return 0;
}

// From here on the peak counts from what the process holds now.
inline void resetPeak()
{
    ::malloc_trim(0);
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly)) clear.write("5");
}

} // namespace glossivo::bench
