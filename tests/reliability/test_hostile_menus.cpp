// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile menus and items against both real programs under X. Each row lays out a program folder;
// each program is started there with its message boxes logged (QV_MESSAGE_LOG), a fake xdg-open
// first in PATH and every fake program writing to one start log. A run passes when the window
// comes up, the row's press and then a press on the marker button (button 2, a program that only
// logs "marker") are handled, the row's message was shown exactly once, nothing but the marker
// started, and qv.ini is unchanged.
#include "common/ui/twips.h"
#include "tests/support/testutil.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

const QByteArray kLogger = "#!/bin/sh\necho \"$(basename \"$0\") $*\" >> \"$QV_FAKE_LOG\"\n";

bool makeProgram(const QString& path) {
    return qvtest::writeAll(path, kLogger) &&
           QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

bool makeFifo(const QString& path) {
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

// A menu of one tab: button 1 is the row's item, button 2 the marker, then any others.
bool writeMenu(const QString& dir, const QString& item, const QStringList& more = {}) {
    const QStringList items = QStringList{item, dir + "/marker.exe"} + more;
    QByteArray text = "[Settings]\r\nNumber of tabs=1\r\nTab1=Hostile\r\n[Tab 1]\r\n"
                      "Number of Buttons=" +
                      QByteArray::number(items.size()) + "\r\n";
    for (int m = 1; m <= items.size(); ++m) {
        text += "Button " + QByteArray::number(m) + "=" + items[m - 1].toUtf8() + "\r\n";
    }
    return makeProgram(dir + "/marker.exe") && qvtest::writeAll(dir + "/qv.ini", text);
}

bool writeEntry(const QString& file, const QByteArray& keys) {
    return QDir().mkpath(QFileInfo(file).path()) &&
           qvtest::writeAll(file, "[Desktop Entry]\nType=Application\nName=Entry\n" + keys);
}

struct Row {
    const char* name;
    // Lays out the program folder (qv.ini and the items it names); false when it cannot.
    std::function<bool(const QString& dir)> setup;
    bool pressItem;                // press button 1 before the marker
    const char* student;           // the one message the launcher shows, or nullptr for none
    const char* manager = nullptr; // the editor's, where it differs
};

const Row kRows[] = {
    {"a FIFO in place of qv.ini", [](const QString& d) { return makeFifo(d + "/qv.ini"); }, false,
     "Error in INI file : File Not Found", "qv.ini not found."},
    {"a FIFO as a shortcut",
     [](const QString& d) { return makeFifo(d + "/Fifo.lnk") && writeMenu(d, d + "/Fifo.lnk"); },
     false, "This shortcut does not contain a path."},
    {"a FIFO as a desktop entry and as its icon",
     [](const QString& d) {
         return makeFifo(d + "/Fifo.desktop") && makeFifo(d + "/icon.png") &&
                writeEntry(d + "/Icon.desktop", "Exec=true\nIcon=" + d.toUtf8() + "/icon.png\n") &&
                writeMenu(d, d + "/Fifo.desktop", {d + "/Icon.desktop"});
     },
     false, nullptr},
    {"a FIFO as a program",
     [](const QString& d) { return makeFifo(d + "/Fifo.exe") && writeMenu(d, d + "/Fifo.exe"); },
     false, nullptr},
    // The first 254 characters name a program that exists.
    {"an item longer than a read gives back",
     [](const QString& d) {
         const QString cut = d + "/cut" + QString(254 - d.size() - 4, QLatin1Char('x'));
         return cut.size() == 254 && makeProgram(cut) &&
                writeMenu(d, cut + QString(10000 - 254, QLatin1Char('y')));
     },
     true, "is not started"},
    // A read ends at the NUL and would name a program that exists.
    {"an item with a NUL byte",
     [](const QString& d) {
         return makeProgram(d + "/named.exe") &&
                writeMenu(d, d + "/named.exe" + QChar(0) + "/../other.exe");
     },
     true, "holds a NUL"},
    // The programs run in the menu's folder, where a file of the item's name lies.
    {"a bare name of a program in the current folder",
     [](const QString& d) { return makeProgram(d + "/tool") && writeMenu(d, "tool"); }, true,
     nullptr},
    {"a qv.ini of 200 MB",
     [](const QString& d) {
         QFile f(d + "/qv.ini");
         return f.open(QIODevice::WriteOnly) && f.resize(qint64(200) << 20);
     },
     false, "qv.ini is larger than 64 MiB and is not read"},
    {"a field code inside a quoted sh -c argument",
     [](const QString& d) {
         const QString entry =
             d + "/x\";echo PWNED>>$QV_FAKE_LOG;`echo PWNED`$(echo PWNED)'\"" + "/Evil.desktop";
         return writeEntry(entry, "Exec=sh -c \"echo %k\"\n") && writeMenu(d, entry);
     },
     true, "inside quotes"},
};

// What a command printed, or nothing when it failed or hung.
QString run(const QStringList& args) {
    QProcess p; // killed with it when it hangs
    p.start(args.front(), args.mid(1));
    return p.waitForFinished(15000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0
               ? QString::fromUtf8(p.readAllStandardOutput()).trimmed()
               : QString();
}

QStringList linesOf(const QString& file) {
    return QString::fromUtf8(qvtest::readAll(file)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// The menu file as it is: a hash of a regular file (which may be large), else what it is.
QByteArray stateOf(const QString& ini) {
    const QFileInfo info(ini);
    return info.isFile()
               ? QCryptographicHash::hash(qvtest::readAll(ini), QCryptographicHash::Sha256)
               : QByteArray(info.exists() ? "special file" : "missing");
}

class HostileMenus : public ::testing::TestWithParam<std::tuple<int, bool>> {};

TEST_P(HostileMenus, NeitherProgramHangsStartsOrChangesTheFile) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") ||
        QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty()) {
        GTEST_SKIP() << "needs an X display and xdotool";
    }
    const auto [index, student] = GetParam();
    const Row& row = kRows[index];
    SCOPED_TRACE(row.name);
    const QString binary = student ? "quorvel-student" : "quorvel-manager";
    QTemporaryDir tmp;
    const QString dir = QFileInfo(tmp.path()).canonicalFilePath();
    const QString starts = dir + "/starts.log";
    const QString messages = dir + "/messages.log";
    ASSERT_TRUE(QDir().mkpath(dir + "/fakes") && makeProgram(dir + "/fakes/xdg-open"));
    ASSERT_TRUE(QFile::copy(qvtest::binDir() + "/" + binary, dir + "/" + binary));
    ASSERT_TRUE(row.setup(dir));
    const QByteArray before = stateOf(dir + "/qv.ini");

    QProcess p;
    p.setEnvironment(QProcess::systemEnvironment() +
                     QStringList{"QT_QPA_PLATFORM=xcb", "HOME=" + dir, "QV_FAKE_LOG=" + starts,
                                 "PATH=" + dir + "/fakes:" + qEnvironmentVariable("PATH"),
                                 "QV_MESSAGE_LOG=" + messages});
    p.setWorkingDirectory(dir);
    p.start(dir + "/" + binary, {});
    ASSERT_TRUE(p.waitForStarted(10000));
    const QString title = student ? "Quorvel Student" : "Quorvel Manger";
    const QString window = run({"xdotool", "search", "--sync", "--onlyvisible", "--pid",
                                QString::number(p.processId()), "--name", "^" + title + "$"})
                               .section(QLatin1Char('\n'), 0, 0);
    EXPECT_FALSE(window.isEmpty()) << "no window within the time";

    // Without a menu there is no marker to press.
    if (!window.isEmpty() && QFileInfo::exists(dir + "/marker.exe")) {
        // The launcher's menu bar lies above its client area: what the window is taller.
        const int height = run({"xdotool", "getwindowgeometry", "--shell", window})
                               .section("HEIGHT=", 1)
                               .section(QLatin1Char('\n'), 0, 0)
                               .toInt();
        const int top = student ? height - qv::twipsToPixels(4860) : 0;
        // Button 1, then the marker: the first row of buttons, in twips of the client area.
        for (int slot = row.pressItem ? 1 : 2; slot <= 2; ++slot) {
            const QRect r =
                qv::twipsRect(1080 + (slot - 1) * 1455, student ? 1440 : 3360, 1335, 1095);
            run({"xdotool", "mousemove", "--window", window, QString::number(r.center().x()),
                 QString::number(r.center().y() + top), "click", "1"});
        }
        qvtest::waitUntil([&] { return linesOf(starts).contains("marker.exe "); }, 15000);
        EXPECT_EQ(linesOf(starts), QStringList{"marker.exe "});
    } else {
        // No menu: the message came and the window is up; nothing can be pressed.
        qvtest::waitUntil([&] { return !linesOf(messages).isEmpty(); }, 10000);
        EXPECT_TRUE(linesOf(starts).isEmpty());
    }
    EXPECT_EQ(p.state(), QProcess::Running);
    p.kill();
    p.waitForFinished(5000);

    // The editor's offer of a first menu, where nothing is at its menu's place, is logged as a
    // question (icon 3) and answered no; what counts here are the messages.
    QStringList shown = linesOf(messages);
    shown.removeIf(
        [](const QString& line) { return line.section(QLatin1Char('\t'), 1, 1) == "3"; });
    const char* expected = student || !row.manager ? row.student : row.manager;
    ASSERT_EQ(shown.size(), expected ? 1 : 0) << shown.join("\n").toStdString();
    EXPECT_TRUE(!expected || shown.front().contains(QLatin1String(expected)))
        << shown.front().toStdString();
    EXPECT_EQ(stateOf(dir + "/qv.ini"), before);
}

INSTANTIATE_TEST_SUITE_P(Rows, HostileMenus,
                         ::testing::Combine(::testing::Range(0, int(std::size(kRows))),
                                            ::testing::Bool()));

} // namespace
