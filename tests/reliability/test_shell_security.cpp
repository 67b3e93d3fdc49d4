// Items whose names hold shell metacharacters, line breaks, a leading '-' or '..' are started
// through the real start facility as one argument, never through a shell. A fake xdg-open
// early in PATH and fake programs record exactly what they were given.
#include "platform/shell.h"
#include "tests/support/testutil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
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
    QList<QByteArray> f = qvtest::readAll(log).split('\0');
    if (!f.isEmpty() && f.back().isEmpty()) {
        f.pop_back();
    }
    return f;
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
    // The opener first in PATH; a shell would run in the items' folder or at home.
    const QByteArray oldPath = qgetenv("PATH"), oldHome = qgetenv("HOME");
    const QString oldCwd = QDir::currentPath();
    qputenv("PATH", fakes.toLocal8Bit() + ":" + oldPath);
    qputenv("HOME", home.toLocal8Bit());
    qputenv("QV_FAKE_LOG", log.toLocal8Bit());
    QDir::setCurrent(items);
    const std::unique_ptr<qv::ShellService> shell = qv::createShellService();
    enum Kind { Document, Program, NoFile };
    const std::pair<const char*, std::vector<Kind>> rows[] = {
        {"a; touch PWNED1.txt", {Document, Program}},
        {"$(touch PWNED2).txt", {Document, Program}},
        {"`touch PWNED3`.txt", {Document, Program}},
        {"x | touch PWNED4 & y > PWNED5.txt", {Document, Program}},
        {R"(it's "quoted" \ back.txt)", {Document, Program}},
        {"line\nbreak; touch PWNED6.txt", {Document, Program}},
        {"-rf.txt", {Document, Program}},
        {"--help.txt", {Document, Program}},
        {"..dots...txt", {Document, Program}},
        {"tab\there *?[a].txt", {Document, Program}},
        // Reached through '..': still one argument, the folder cleaned or not.
        {"../items/a; touch PWNED1.txt", {Document}},
        {"-e", {NoFile}},
        {"--version", {NoFile}},
        {"ls; touch PWNED7", {NoFile}},
        {"$(touch PWNED8)", {NoFile}},
        {"`touch PWNED9`", {NoFile}},
        {"a\nb", {NoFile}},
        {"../../../../bin/sh -c 'touch PWNED10'", {NoFile}},
        {"-x:y", {NoFile}},
    };
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
    for (const auto& [raw, kinds] : rows) {
        for (const Kind kind : kinds) {
            const QString file = items + "/" + QString::fromUtf8(raw) + (kind ? ".prog" : "");
            if (kind == NoFile) {
                EXPECT_FALSE(shell->ShellExecute(QString::fromUtf8(raw))) << raw;
            } else if (kind == Program) {
                ASSERT_TRUE(makeExecutable(file, kProgram) && shell->ShellExecute(file)) << raw;
                expectStart(file, "prog", "0");
            } else {
                ASSERT_TRUE(qvtest::writeAll(file, "doc") && shell->ShellExecute(file)) << raw;
                expectStart(file, "open", "1");
            }
        }
    }
    // Starts are detached: one that does happen after them shows when any of theirs would have.
    const QString marker = items + "/marker.txt";
    ASSERT_TRUE(qvtest::writeAll(marker, "x") && shell->ShellExecute(marker));
    expectStart(marker, "open", "1");
    EXPECT_EQ(fields(log).size(), recorded) << qvtest::readAll(log).replace('\0', ' ').constData();
    QDir::setCurrent(oldCwd);
    qputenv("PATH", oldPath);
    qputenv("HOME", oldHome);
    // Every file that a shell would have created from the names.
    for (const QString& dir : {root, items, home, fakes}) {
        EXPECT_TRUE(QDir(dir).entryList({"PWNED*"}, QDir::Files).isEmpty()) << qPrintable(dir);
    }
}

} // namespace
