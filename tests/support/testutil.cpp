// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/testutil.h"

#include <QFile>
#include <QTest>
#include <sys/wait.h>
#include <unistd.h>

namespace qvtest {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size() &&
           f.flush();
}

QString dataDir() {
    return qEnvironmentVariable("QV_TEST_DATA");
}

QString binDir() {
    return qEnvironmentVariable("QV_BIN_DIR");
}

bool waitUntil(const std::function<bool()>& done, int limitMs) {
    return QTest::qWaitFor(done, limitMs);
}

bool asUnprivileged(const std::function<bool()>& check) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        const bool dropped = ::geteuid() != 0 || (::setgid(65534) == 0 && ::setuid(65534) == 0);
        ::_exit(dropped && check() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace qvtest
