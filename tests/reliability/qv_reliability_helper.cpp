// SPDX-License-Identifier: GPL-3.0-or-later
// The other process of the reliability tests.
//
//   qv_reliability_helper edit <qv.ini> <seed>
//       Makes editor actions through modini until killed. Writes "R" to stdout when it starts
//       and one "." after each completed modini call, so that the killer knows how far it got.
//   qv_reliability_helper read <qv.ini> [pause-ms]
//       Reads the menu as the launcher does, over and over (with a pause between, as pupils turn
//       pages), until its standard input closes; then prints "reads=N faults=N" and the first
//       few faults (the file missing, a line torn, a count that was never written).
//   qv_reliability_helper measure <qv.ini> read|write <section> <key> [value]
//       One ReadKey or WriteKey on a (hostile) file in a fresh process; prints the result, the
//       number of messages shown and how much the peak resident memory grew, as
//       "result=<text> messages=N grown_kb=N".
#include "tests/support/editscript.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <cstdio>
#include <poll.h>
#include <unistd.h>

namespace {

// What the profile operations would show, for the measure to count.
qv::FakeMessageBox messages;

void writeByte(char c) {
    while (::write(STDOUT_FILENO, &c, 1) < 0 && errno == EINTR) {
    }
}

bool stdinClosed() {
    pollfd p{STDIN_FILENO, POLLIN, 0};
    char buffer[64];
    return ::poll(&p, 1, 0) > 0 && ::read(STDIN_FILENO, buffer, sizeof buffer) <= 0;
}

// One read of the tab as the launcher makes it: its count, then its buttons. What was wrong, or
// nothing.
QString readOnce(const QString& path) {
    const qv::ProfileValue count =
        qv::ReadKey(path, qv::tabSection(1), qv::kNumberOfButtonsRead, messages);
    if (!count) {
        return QStringLiteral("file missing");
    }
    // The writers store only the counts 10 to 14.
    const qv::MenuCount n = qv::parseCount(*count);
    if (!n.isNumber() || n.value < 10 || n.value > 14) {
        return QStringLiteral("count read as '%1'").arg(*count);
    }
    static const QRegularExpression item(
        QStringLiteral("^/srv/apps/t1/b\\d+/s(\\d+)/prog-\\1\\.exe$"));
    for (int m = 1; m <= n.value; ++m) {
        const qv::ProfileValue value =
            qv::ReadKey(path, qv::tabSection(1), qv::buttonKey(m), messages);
        if (!value || !item.match(*value).hasMatch()) {
            return QStringLiteral("Button %1 read as '%2'").arg(m).arg(value.value_or("missing"));
        }
    }
    return {};
}

int runRead(const QString& path, int pauseMs) {
    long reads = 0;
    QStringList faults;
    writeByte('R');
    for (; !stdinClosed(); ++reads) {
        if (const QString fault = readOnce(path); !fault.isEmpty()) {
            faults << fault;
        }
        ::usleep(static_cast<useconds_t>(pauseMs) * 1000);
    }
    std::printf("reads=%ld faults=%lld\n", reads, static_cast<long long>(faults.size()));
    for (const QString& f : faults.mid(0, 10)) {
        std::printf("fault: %s\n", f.toLocal8Bit().constData());
    }
    return 0;
}

long peakKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("VmHWM:\\s*(\\d+)")).match(status.readAll());
    return m.hasMatch() ? m.captured(1).toLong() : -1;
}

int runMeasure(const QStringList& a, qv::FakeMessageBox& messages) {
    const long before = peakKb();
    QString result = QStringLiteral("absent");
    if (a[3] == "write") {
        result = QString::number(qv::WriteKey(a[2], a[4], a[5], a.value(6), messages));
    } else if (const qv::ProfileValue v = qv::ReadKey(a[2], a[4], a[5], messages)) {
        result = QStringLiteral("'%1'").arg(*v);
    }
    const long after = peakKb();
    std::printf("result=%s messages=%zu grown_kb=%ld\n", result.toUtf8().constData(),
                messages.messages.size(), after - before);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList a = QCoreApplication::arguments();
    if (a.size() == 4 && a[1] == "edit") {
        qvrel::EditScript script(a[2], a[3].toUInt(), messages, [] { writeByte('.'); });
        writeByte('R');
        // A bound of its own, in case the test that should kill it is gone.
        for (long i = 0; i < 2000000; ++i) {
            script.step();
        }
        return 0;
    }
    if ((a.size() == 3 || a.size() == 4) && a[1] == "read") {
        return runRead(a[2], a.value(3).toInt());
    }
    if ((a.size() == 6 || a.size() == 7) && a[1] == "measure") {
        return runMeasure(a, messages);
    }
    std::fprintf(stderr, "usage: %s edit|read|measure ...\n", argv[0]);
    return 2;
}
