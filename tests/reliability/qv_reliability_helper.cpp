// The other process of the reliability tests.
//
//   qv_reliability_helper edit <qv.ini> <seed>
//       Makes editor actions through modini for ever (until killed). Writes "R" to stdout when it
//       starts and one "." after each completed modini call, so that the killer knows how far it
//       got.
//   qv_reliability_helper read <qv.ini> churn|editor [pause-ms]
//       Reads the menu as the launcher does, over and over (with a pause between, as pupils turn
//       pages), until its standard input closes;
//       then prints what it saw: "reads=N missing=N torn=N unwritten=N" and the first few faults.
//   qv_reliability_helper measure <qv.ini> read|write <section> <key> [value]
//       One ReadKey or WriteKey on a (hostile) file in a fresh process; prints the result, the
//       number of messages shown and how much the peak resident memory grew, as
//       "result=<text> messages=N grown_kb=N".
#include "common/menulayout.h"
#include "common/modini.h"
#include "platform/messagebox.h"
#include "tests/reliability/editscript.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <cstdio>
#include <poll.h>
#include <unistd.h>

namespace {

void writeByte(char c) {
    while (::write(STDOUT_FILENO, &c, 1) < 0 && errno == EINTR) {
    }
}

int runEdit(const QString& path, unsigned seed) {
    qvrel::EditScript script(path, seed, [](const QString&) { writeByte('.'); });
    writeByte('R');
    // A bound of its own, in case the test that should kill it is gone.
    for (long i = 0; i < 2000000; ++i) {
        script.step();
    }
    return 0;
}

bool stdinClosed() {
    pollfd p{STDIN_FILENO, POLLIN, 0};
    if (::poll(&p, 1, 0) <= 0) {
        return false;
    }
    char buffer[64];
    return ::read(STDIN_FILENO, buffer, sizeof buffer) <= 0;
}

struct Tally {
    long reads = 0, missing = 0, torn = 0, unwritten = 0;
    QStringList faults;

    void fault(long& counter, const QString& what) {
        ++counter;
        if (faults.size() < 10) {
            faults << what;
        }
    }
};

bool wholeItem(const QString& value) {
    static const QRegularExpression item(
        QStringLiteral("^/srv/apps/t(\\d+)/b(\\d+)/s(\\d+)/prog-(\\d+)\\.exe$"));
    const QRegularExpressionMatch m = item.match(value);
    return m.hasMatch() && m.captured(3) == m.captured(4);
}

// One launcher start: the tab count and captions, then the selected tab's count and its
// buttons page by page.
void readOnce(const QString& path, bool churn, Tally& tally) {
    ++tally.reads;
    const qv::ProfileValue tabs = qv::ReadKey(path, qv::kSettings, qv::kNumberOfTabs);
    if (!tabs) {
        tally.fault(tally.missing, QStringLiteral("file missing at Number of tabs"));
        return;
    }
    if (*tabs != QLatin1String("1")) {
        tally.fault(tally.torn, QStringLiteral("Number of tabs read as '%1'").arg(*tabs));
    }
    const QString caption = qv::ReadKey(path, qv::kSettings, qv::tabCaptionKey(1)).value_or("?");
    if (caption != (churn ? QLatin1String("Churn") : QLatin1String("Editor"))) {
        tally.fault(tally.torn, QStringLiteral("Tab1 read as '%1'").arg(caption));
    }
    const qv::ProfileValue countText =
        qv::ReadKey(path, qv::tabSection(1), qv::kNumberOfButtonsRead);
    if (!countText) {
        tally.fault(tally.missing, QStringLiteral("file missing at Number Of Buttons"));
        return;
    }
    const qv::MenuCount count = qv::parseCount(*countText);
    // The churn writer stores only the counts 10 to 14; the editor never more than 40.
    const bool written = count.isNumber() && (churn ? count.value >= 10 && count.value <= 14
                                                    : count.value >= 0 && count.value <= 40);
    if (!written) {
        tally.fault(tally.unwritten, QStringLiteral("count read as '%1'").arg(*countText));
        return;
    }
    for (int m = 1; m <= count.value; ++m) {
        const qv::ProfileValue value = qv::ReadKey(path, qv::tabSection(1), qv::buttonKey(m));
        if (!value) {
            tally.fault(tally.missing, QStringLiteral("file missing at Button %1").arg(m));
            return;
        }
        // While the editor renumbers, a button may be briefly absent; never half there.
        if (value->isEmpty() && !churn) {
            continue;
        }
        if (!wholeItem(*value)) {
            tally.fault(tally.torn, QStringLiteral("Button %1 read as '%2'").arg(m).arg(*value));
        }
    }
}

int runRead(const QString& path, bool churn, int pauseMs) {
    Tally tally;
    writeByte('R');
    while (!stdinClosed()) {
        readOnce(path, churn, tally);
        if (pauseMs > 0) {
            ::usleep(static_cast<useconds_t>(pauseMs) * 1000);
        }
    }
    std::printf("reads=%ld missing=%ld torn=%ld unwritten=%ld\n", tally.reads, tally.missing,
                tally.torn, tally.unwritten);
    for (const QString& f : tally.faults) {
        std::printf("fault: %s\n", f.toLocal8Bit().constData());
    }
    std::fflush(stdout);
    return 0;
}

long peakKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("VmHWM:\\s*(\\d+)")).match(status.readAll());
    return m.hasMatch() ? m.captured(1).toLong() : -1;
}

int runMeasure(const QString& path, bool write, const QString& section, const QString& key,
               const QString& value, const qv::FakeMessageBox& messages) {
    const long before = peakKb();
    QString result;
    if (write) {
        result = QString::number(qv::WriteKey(path, section, key, value));
    } else {
        const qv::ProfileValue v = qv::ReadKey(path, section, key);
        result = v ? QStringLiteral("'%1'").arg(*v) : QStringLiteral("absent");
    }
    const long after = peakKb();
    std::printf("result=%s messages=%zu grown_kb=%ld\n", result.toUtf8().constData(),
                messages.messages.size(), after - before);
    for (const qv::FakeMessageBox::Message& m : messages.messages) {
        std::printf("message: %s\n", m.text.toUtf8().constData());
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    qv::FakeMessageBox messages;
    qv::installMessageBox(&messages);
    const QStringList a = QCoreApplication::arguments();
    if (a.size() == 4 && a[1] == "edit") {
        return runEdit(a[2], a[3].toUInt());
    }
    if ((a.size() == 4 || a.size() == 5) && a[1] == "read") {
        return runRead(a[2], a[3] == "churn", a.value(4).toInt());
    }
    if ((a.size() == 6 || a.size() == 7) && a[1] == "measure") {
        return runMeasure(a[2], a[3] == "write", a[4], a[5], a.value(6), messages);
    }
    std::fprintf(stderr, "usage: %s edit|read|measure ...\n", argv[0]);
    return 2;
}
