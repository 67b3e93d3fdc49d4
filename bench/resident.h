// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// This process's memory as /proc/self/status gives it, for the benchmarks' counters.
#include <QByteArray>
#include <QFile>

namespace qvbench {

// A figure of /proc/self/status in MB: "VmRSS:" resident now, "VmHWM:" the peak; 0 if absent.
inline double residentMb(const QByteArray& field = QByteArrayLiteral("VmRSS:")) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field)) {
            return line.mid(field.size()).trimmed().split(' ').value(0).toDouble() / 1024.0;
        }
    }
    return 0;
}

} // namespace qvbench
