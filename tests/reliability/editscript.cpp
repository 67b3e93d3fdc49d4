#include "tests/reliability/editscript.h"

#include "common/menulayout.h"
#include "common/modini.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <cstdio>
#include <utility>

namespace qvrel {

namespace {

constexpr int kMaxTabs = 6;
constexpr int kMaxButtons = 14;

} // namespace

QByteArray initialMenu() {
    QByteArray text = "; menu of the crash and concurrency tests\r\n"
                      "[Settings]\r\n"
                      "Number of tabs=3\r\n"
                      "Tab1=Writing\r\n"
                      "Tab2=Games\r\n"
                      "Tab3=Tools\r\n";
    for (int t = 1; t <= 3; ++t) {
        text += "[Tab " + QByteArray::number(t) + "]\r\n";
        const int count = 2 + t;
        text += "Number of Buttons=" + QByteArray::number(count) + "\r\n";
        for (int m = 1; m <= count; ++m) {
            text += "Button " + QByteArray::number(m) + "=" + itemValue(t, m, 0).toUtf8() + "\r\n";
        }
    }
    return text;
}

QString itemValue(int tab, int number, int serial) {
    // The serial appears twice so that a value cut short or spliced shows at once.
    return QStringLiteral("/srv/apps/t%1/b%2/s%3/prog-%3.exe").arg(tab).arg(number).arg(serial);
}

QByteArray churnMenu() {
    QByteArray text = "[Settings]\r\nNumber of tabs=1\r\nTab1=Churn\r\n[Tab 1]\r\n"
                      "Number of Buttons=14\r\n";
    for (int m = 1; m <= 14; ++m) {
        text += "Button " + QByteArray::number(m) + "=" + itemValue(1, m, 0).toUtf8() + "\r\n";
    }
    return text;
}

EditScript::EditScript(QString path, unsigned seed, AfterCall afterCall)
    : path_(std::move(path)), random_(seed), afterCall_(std::move(afterCall)) {}

void EditScript::done(const QString& call) {
    if (afterCall_) {
        afterCall_(call);
    }
}

void EditScript::write(const QString& section, const QString& key, const QString& value) {
    qv::WriteKey(path_, section, key, value);
    done(QStringLiteral("WriteKey [%1] %2=%3").arg(section, key, value));
}

// A count as the editor reads it: a missing or empty value is 0, anything but a number -1.
int EditScript::count(const QString& section, const QString& key) const {
    const qv::MenuCount c = qv::parseCount(qv::ReadKey(path_, section, key).value_or(QString()));
    return c.isNumber() ? c.value : (c.state == qv::MenuCount::State::Empty ? 0 : -1);
}

int EditScript::tabCount() const {
    return count(qv::kSettings, qv::kNumberOfTabs);
}

int EditScript::buttonCount(int tab) const {
    return count(qv::tabSection(tab), qv::kNumberOfButtonsRead);
}

void EditScript::step() {
    const int tabs = tabCount();
    if (tabs < 0) {
        return;
    }
    std::uniform_int_distribution<int> percent(0, 99);
    const int roll = percent(random_);
    if (tabs == 0 || (roll < 8 && tabs < kMaxTabs)) {
        addTab();
        return;
    }
    if (roll < 14 && tabs > 1) {
        removeTab(std::uniform_int_distribution<int>(1, tabs)(random_));
        return;
    }
    const int tab = std::uniform_int_distribution<int>(1, tabs)(random_);
    const int count = buttonCount(tab);
    if (count < 0) {
        return;
    }
    if (count == 0 || (roll < 60 && count < kMaxButtons)) {
        addButton(tab);
    } else {
        deleteButton(tab, std::uniform_int_distribution<int>(1, count)(random_));
    }
}

// The editor's add: the new button goes after the last, then the count follows.
void EditScript::addButton(int tab) {
    const int count = buttonCount(tab);
    if (count < 0) {
        return;
    }
    const QString section = qv::tabSection(tab);
    write(section, qv::buttonKey(count + 1), itemValue(tab, count + 1, ++serial_));
    write(section, qv::kNumberOfButtonsWrite, QString::number(count + 1));
}

// The editor's delete: the key goes, the later buttons move down by one, then the count.
void EditScript::deleteButton(int tab, int number) {
    const int count = buttonCount(tab);
    if (count < 1) {
        return;
    }
    const QString section = qv::tabSection(tab);
    qv::DeleteKey(path_, section, qv::buttonKey(number));
    done(QStringLiteral("DeleteKey [%1] %2").arg(section, qv::buttonKey(number)));
    if (number >= 1 && number < count) {
        std::vector<std::pair<QString, QString>> renames;
        for (int k = number + 1; k <= count; ++k) {
            renames.emplace_back(qv::buttonKey(k), qv::buttonKey(k - 1));
        }
        qv::RenameKeys(path_, section, renames);
        done(QStringLiteral("RenameKeys [%1] from %2").arg(section, qv::buttonKey(number + 1)));
    }
    write(section, qv::kNumberOfButtonsWrite, QString::number(count - 1));
}

void EditScript::addTab() {
    const int tabs = tabCount();
    if (tabs < 0) {
        return;
    }
    write(qv::kSettings, qv::kNumberOfTabs, QString::number(tabs + 1));
    write(qv::kSettings, qv::tabCaptionKey(tabs + 1),
          QStringLiteral("Tab Caption %1").arg(++serial_));
}

// The editor's removal of the tab at a position: captions shift down, the last caption key
// goes, the count follows, the tab's section goes and the later sections are renumbered.
void EditScript::removeTab(int position) {
    const int n = tabCount();
    if (n < 1 || position < 1 || position > n) {
        return;
    }
    QStringList captions;
    for (int k = 1; k <= n; ++k) {
        captions << qv::ReadKey(path_, qv::kSettings, qv::tabCaptionKey(k)).value_or(QString());
    }
    captions.removeAt(position - 1);
    qv::DeleteKey(path_, qv::kSettings, qv::tabCaptionKey(n));
    done(QStringLiteral("DeleteKey [Settings] %1").arg(qv::tabCaptionKey(n)));
    for (int k = 1; k <= n - 1; ++k) {
        write(qv::kSettings, qv::tabCaptionKey(k), captions[k - 1]);
    }
    write(qv::kSettings, qv::kNumberOfTabs, QString::number(n - 1));
    qv::DeleteSection(path_, qv::tabSection(position));
    done(QStringLiteral("DeleteSection [%1]").arg(qv::tabSection(position)));
    for (int j = position; j <= n - 1; ++j) {
        qv::RenameSection(path_, qv::tabSection(j + 1), qv::tabSection(j));
        done(QStringLiteral("RenameSection [%1]").arg(qv::tabSection(j + 1)));
    }
}

bool startHelper(QProcess& helper, const QStringList& arguments) {
    helper.start(QStringLiteral(QV_RELIABILITY_HELPER), arguments);
    return helper.waitForStarted(10000) && waitForByte(helper, 'R', 10000);
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

long stopReader(QProcess& reader) {
    reader.closeWriteChannel();
    reader.waitForFinished(30000);
    const QString report = QString::fromLocal8Bit(reader.readAllStandardOutput());
    std::printf("reader: %s", qPrintable(report));
    const QRegularExpressionMatch m =
        QRegularExpression(R"(reads=(\d+) missing=0 torn=0 unwritten=0\n)").match(report);
    return m.hasMatch() ? m.captured(1).toLong() : -1;
}

QString fastTempTemplate() {
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    const QString base = shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath();
    return base + QStringLiteral("/qv-reliability-XXXXXX");
}

} // namespace qvrel
