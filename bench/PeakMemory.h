#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// The peak resident memory (VmHWM) of a process, in KiB, from /proc; -1 where it cannot be read.
inline long peakMemoryKiB(const QString &process = QStringLiteral("self"))
{
    QFile status(QStringLiteral("/proc/%1/status").arg(process));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}
