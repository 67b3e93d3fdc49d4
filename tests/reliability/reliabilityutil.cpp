#include "tests/reliability/reliabilityutil.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

namespace qvrel {

QString helperPath() {
    return QStringLiteral(QV_RELIABILITY_HELPER);
}

QString fastTempTemplate() {
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    const QString base = shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath();
    return base + QStringLiteral("/qv-reliability-XXXXXX");
}

bool waitForByte(QProcess& process, char c, int msecs) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < msecs) {
        char got = 0;
        while (process.getChar(&got)) {
            if (got == c) {
                return true;
            }
        }
        if (process.state() == QProcess::NotRunning) {
            return false;
        }
        process.waitForReadyRead(static_cast<int>(std::max<qint64>(1, msecs - timer.elapsed())));
    }
    return false;
}

} // namespace qvrel
