// SPDX-License-Identifier: GPL-3.0-or-later
// Items whose names hold shell metacharacters, line breaks, a leading '-' or '..' are started
// through the real start facility as one argument, never through a shell. A fake xdg-open
// early in PATH and fake programs record exactly what they were given.
#include "common/menuitem.h"
#include "platform/dialogs/messagebox.h"
#include "platform/shell/shell.h"
#include "tests/support/testutil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

// A record: the recorder's kind ("open" for xdg-open, "prog" for a program), then its $0 for a
// program, then the argument count and the arguments, all NUL-terminated.
const QByteArray kOpener = "#!/bin/sh\nprintf '%s\\0' open \"$#\" \"$@\" >> \"$QV_FAKE_LOG\"\n";
const QByteArray kProgram =
    "#!/bin/sh\nprintf '%s\\0' prog \"$0\" \"$#\" \"$@\" >> \"$QV_FAKE_LOG\"\n";

bool makeExecutable(const QString& path, const QByteArray& text) {
    return qvtest::writeAll(path, text) &&
           QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// The NUL-terminated fields recorded so far.
QList<QByteArray> fields(const QString& log) {
    const QByteArray bytes = qvtest::readAll(log);
    return bytes.isEmpty() ? QList<QByteArray>() : bytes.chopped(1).split('\0');
}

// Documents go to the opener as one argument, programs run themselves with no arguments, and
// names that are no file start nothing (no option reaches the opener, no shell sees them). The
// plain leading-dash, missing and empty items are test_shell_unix's.
TEST(ShellSecurity, HostileNamesReachNoShell) {
    QTemporaryDir tmp;
    const QString root = QFileInfo(tmp.path()).canonicalFilePath();
    const QString fakes = root + "/fakes", items = root + "/items", home = root + "/home";
    const QString log = root + "/starts.log";
    ASSERT_TRUE(QDir().mkpath(fakes) && QDir().mkpath(items) && QDir().mkpath(home));
    ASSERT_TRUE(makeExecutable(fakes + "/xdg-open", kOpener));
    // The opener first in PATH; a shell would run in the items' folder or at home. The only
    // test here, so nothing needs the old environment back.
    qputenv("PATH", fakes.toLocal8Bit() + ":" + qgetenv("PATH"));
    qputenv("HOME", home.toLocal8Bit());
    qputenv("QV_FAKE_LOG", log.toLocal8Bit());
    QDir::setCurrent(items);
    qv::FakeMessageBox messages;
    const std::unique_ptr<qv::ShellService> shell = qv::createShellService(messages);
    // Each item starts as the kind the windows decide for it.
    const auto start = [&shell](const QString& item) {
        return shell->ShellExecute(item, qv::menuItemKind(item));
    };
    // Each name is tried as a document and as a program; '..' still gives one argument, the
    // folder cleaned or not.
    const char* const files[] = {"a; touch PWNED1.txt",
                                 "$(touch PWNED2).txt",
                                 "x | touch PWNED4 & y > PWNED5.txt",
                                 R"(it's "quoted" \ back.txt)",
                                 "line\nbreak; touch PWNED6.txt",
                                 "-rf.txt",
                                 "..dots...txt",
                                 "tab\there *?[a].txt",
                                 "../items/a; touch PWNED1.txt"};
    const char* const noFiles[] = {"-e",
                                   "ls; touch PWNED7",
                                   "$(touch PWNED8)",
                                   "a\nb",
                                   "../../../../bin/sh -c 'touch PWNED10'",
                                   "-x:y"};
    // Every record is checked in order, so a start that should not have happened shows.
    qsizetype recorded = 0;
    const auto expectStart = [&](const QString& file, const QByteArray& kind, const char* count) {
        qvtest::waitUntil([&] { return fields(log).size() >= recorded + 3; }, 10000);
        const QList<QByteArray> f = fields(log).mid(recorded);
        recorded += 3;
        ASSERT_EQ(f.size(), 3) << qPrintable(file);
        EXPECT_EQ(f[0], kind) << qPrintable(file);
        const QByteArray& path = kind == "prog" ? f[1] : f[2];
        EXPECT_EQ(QFileInfo(QString::fromUtf8(path)).canonicalFilePath(),
                  QFileInfo(file).canonicalFilePath());
        EXPECT_EQ(kind == "prog" ? f[2] : f[1], count) << qPrintable(file);
    };
    for (const char* raw : files) {
        const QString file = items + "/" + QString::fromUtf8(raw);
        ASSERT_TRUE(qvtest::writeAll(file, "doc") && start(file)) << raw;
        expectStart(file, "open", "1");
        ASSERT_TRUE(makeExecutable(file + ".prog", kProgram) && start(file + ".prog")) << raw;
        expectStart(file + ".prog", "prog", "0");
    }
    for (const char* raw : noFiles) {
        EXPECT_FALSE(start(QString::fromUtf8(raw))) << raw;
    }
    // Starts are detached: one that does happen after them shows when any of theirs would have.
    const QString marker = items + "/marker.txt";
    ASSERT_TRUE(qvtest::writeAll(marker, "x") && start(marker));
    expectStart(marker, "open", "1");
    EXPECT_EQ(fields(log).size(), recorded) << qvtest::readAll(log).replace('\0', ' ').constData();
    // Every file that a shell would have created from the names.
    for (const QString& dir : {root, items, home, fakes}) {
        EXPECT_TRUE(QDir(dir).entryList({"PWNED*"}, QDir::Files).isEmpty()) << qPrintable(dir);
    }
}

} // namespace
