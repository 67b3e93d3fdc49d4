#include "tests/support/testutil.h"

#include <QFile>
#include <QTest>

namespace qvtest {

QByteArray readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        return {};
    }
    return f.readAll();
}

bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    return f.write(bytes) == bytes.size() && f.flush();
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

} // namespace qvtest
