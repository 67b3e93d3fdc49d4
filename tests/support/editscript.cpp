// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/editscript.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <cstdio>

namespace qvrel {

QString itemValue(int tab, int number, int serial) {
    // The serial appears twice so that a value cut short or spliced shows at once.
    return QStringLiteral("/srv/apps/t%1/b%2/s%3/prog-%3.exe").arg(tab).arg(number).arg(serial);
}

QByteArray menu(const std::vector<int>& buttons) {
    const auto n = [](qsizetype v) { return QByteArray::number(v); };
    QByteArray text = "; a teacher's menu\r\n[Settings]\r\nNumber of tabs=" + n(buttons.size());
    for (size_t t = 1; t <= buttons.size(); ++t) {
        text += "\r\nTab" + n(t) + "=Room " + n(t);
    }
    for (size_t t = 1; t <= buttons.size(); ++t) {
        text += "\r\n[Tab " + n(t) + "]\r\nNumber of Buttons=" + n(buttons[t - 1]);
        for (int m = 1; m <= buttons[t - 1]; ++m) {
            text += "\r\nButton " + n(m) + "=" + itemValue(int(t), m, 0).toUtf8();
        }
    }
    return text + "\r\n";
}

EditScript::EditScript(QString path, unsigned seed, qv::MessageBoxService& messages,
                       std::function<void()> after)
    : path_(std::move(path)), messages_(messages), random_(seed),
      after_(after ? std::move(after) : [] {}) {}

void EditScript::write(const QString& section, const QString& key, const QString& value) {
    qv::WriteKey(path_, section, key, value, messages_);
    after_();
}

int EditScript::tabCount() const {
    return qv::parseCount(
               qv::ReadKey(path_, qv::kSettings, qv::kNumberOfTabs, messages_).value_or(""))
        .value;
}

int EditScript::buttonCount(int tab) const {
    const QString count =
        qv::ReadKey(path_, qv::tabSection(tab), qv::kNumberOfButtonsRead, messages_).value_or("");
    return qv::parseCount(count).value;
}

void EditScript::step() {
    const auto pick = [this](int n) { return std::uniform_int_distribution<int>(1, n)(random_); };
    const int tab = pick(tabCount());
    const int count = buttonCount(tab);
    if (count == 0 || (pick(100) <= 60 && count < 14)) {
        addButton(tab);
    } else {
        deleteButton(tab, pick(count));
    }
}

// The editor's add: the new button goes after the last, then the count follows.
void EditScript::addButton(int tab) {
    const int count = buttonCount(tab);
    write(qv::tabSection(tab), qv::buttonKey(count + 1), itemValue(tab, count + 1, ++serial_));
    write(qv::tabSection(tab), qv::kNumberOfButtonsWrite, QString::number(count + 1));
}

// The editor's delete: the key goes, the later buttons move down by one, then the count.
void EditScript::deleteButton(int tab, int number) {
    const int count = buttonCount(tab);
    qv::DeleteKey(path_, qv::tabSection(tab), qv::buttonKey(number), messages_);
    after_();
    if (number < count) {
        std::vector<std::pair<QString, QString>> renames;
        for (int k = number + 1; k <= count; ++k) {
            renames.emplace_back(qv::buttonKey(k), qv::buttonKey(k - 1));
        }
        qv::RenameKeys(path_, qv::tabSection(tab), renames, messages_);
        after_();
    }
    write(qv::tabSection(tab), qv::kNumberOfButtonsWrite, QString::number(count - 1));
}

QStringList folderEntries(const QString& dir) {
    return QDir(dir).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

bool startHelper(QProcess& helper, const QStringList& arguments) {
    helper.start(QStringLiteral(QV_RELIABILITY_HELPER), arguments);
    return helper.waitForReadyRead(10000) && helper.read(1) == "R";
}

long stopReader(QProcess& reader) {
    reader.closeWriteChannel();
    reader.waitForFinished(30000);
    const QString report = QString::fromLocal8Bit(reader.readAllStandardOutput());
    std::printf("reader: %s", qPrintable(report));
    const QRegularExpressionMatch m = QRegularExpression(R"(^reads=(\d+) faults=0$)").match(report);
    return m.hasMatch() ? m.captured(1).toLong() : -1;
}

QString fastTempTemplate() {
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    const QString base = shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath();
    return base + QStringLiteral("/qv-reliability-XXXXXX");
}

} // namespace qvrel
