// Items whose names hold shell metacharacters, line breaks, a leading '-' or '..' are started
// through the real start facility as one argument, never through a shell. A fake xdg-open
// early in PATH and fake programs record exactly what they were given.
#include "platform/shell.h"
#include "tests/support/testutil.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

// A record: the recorder's kind ("open" for xdg-open, "prog" for a program), then its $0 for a
// program, then the argument count and the arguments, all NUL-terminated.
const QByteArray kOpener = "#!/bin/sh\nprintf '%s\\0' open \"$#\" \"$@\" >> \"$QV_FAKE_LOG\"\n";
const QByteArray kProgram =
    "#!/bin/sh\nprintf '%s\\0' prog \"$0\" \"$#\" \"$@\" >> \"$QV_FAKE_LOG\"\n";

class ShellSecurity : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tmp_.isValid());
        root_ = QFileInfo(tmp_.path()).canonicalFilePath();
        fakes_ = root_ + "/fakes";
        items_ = root_ + "/items";
        home_ = root_ + "/home";
        log_ = root_ + "/starts.log";
        ASSERT_TRUE(QDir().mkpath(fakes_) && QDir().mkpath(items_) && QDir().mkpath(home_));
        ASSERT_TRUE(makeExecutable(fakes_ + "/xdg-open", kOpener));
        oldPath_ = qgetenv("PATH");
        oldHome_ = qgetenv("HOME");
        qputenv("PATH", fakes_.toLocal8Bit() + ":" + oldPath_);
        qputenv("HOME", home_.toLocal8Bit());
        qputenv("QV_FAKE_LOG", log_.toLocal8Bit());
        oldCwd_ = QDir::currentPath();
        QDir::setCurrent(items_);
        shell_ = qv::createShellService();
    }
    void TearDown() override {
        QDir::setCurrent(oldCwd_);
        qputenv("PATH", oldPath_);
        qputenv("HOME", oldHome_);
        qunsetenv("QV_FAKE_LOG");
    }

    static bool makeExecutable(const QString& path, const QByteArray& text) {
        return qvtest::writeAll(path, text) &&
               QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                               QFile::ReadGroup | QFile::ExeGroup);
    }

    // The NUL-terminated fields recorded so far.
    QList<QByteArray> fields() const {
        QList<QByteArray> f = qvtest::readAll(log_).split('\0');
        if (!f.isEmpty() && f.back().isEmpty()) {
            f.pop_back();
        }
        return f;
    }

    // Waits for the detached start to write its record (it runs on its own, after the call).
    QList<QByteArray> waitForFields(qsizetype count) const {
        QElapsedTimer t;
        t.start();
        while (fields().size() < count && t.elapsed() < 10000) {
            QThread::msleep(5);
        }
        return fields();
    }

    // Every file that a shell would have created from the names below.
    QStringList pwned() const {
        QStringList found;
        for (const QString& dir : {root_, items_, home_, fakes_}) {
            for (const QString& name : QDir(dir).entryList(QDir::Files)) {
                if (name.startsWith(QLatin1String("PWNED"))) {
                    found << dir + "/" + name;
                }
            }
        }
        return found;
    }

    QTemporaryDir tmp_;
    QString root_, fakes_, items_, home_, log_, oldCwd_;
    QByteArray oldPath_, oldHome_;
    std::unique_ptr<qv::ShellService> shell_;
};

const char* const kHostileNames[] = {
    "a; touch PWNED1.txt",
    "$(touch PWNED2).txt",
    "`touch PWNED3`.txt",
    "x | touch PWNED4 & y > PWNED5.txt",
    "it's \"quoted\" \\ back.txt",
    "line\nbreak; touch PWNED6.txt",
    "-rf.txt",
    "--help.txt",
    "..dots...txt",
    "tab\there *?[a].txt",
};

TEST_F(ShellSecurity, DocumentsGoToTheOpenerAsOneArgument) {
    qsizetype expected = 0;
    for (const char* raw : kHostileNames) {
        const QString name = QString::fromUtf8(raw);
        const QString file = items_ + "/" + name;
        ASSERT_TRUE(qvtest::writeAll(file, "document")) << raw;
        ASSERT_TRUE(shell_->ShellExecute(file)) << raw;
        expected += 3;
        const QList<QByteArray> f = waitForFields(expected);
        ASSERT_EQ(f.size(), expected) << raw;
        EXPECT_EQ(f[expected - 3], "open") << raw;
        EXPECT_EQ(f[expected - 2], "1") << raw;
        EXPECT_EQ(QString::fromUtf8(f[expected - 1]), file) << raw;
    }
    // The same names reached through '..' are still one argument, the folder cleaned or not.
    const QString dotted = items_ + "/../items/" + QString::fromUtf8(kHostileNames[0]);
    ASSERT_TRUE(shell_->ShellExecute(dotted));
    const QList<QByteArray> f = waitForFields(expected + 3);
    ASSERT_EQ(f.size(), expected + 3);
    EXPECT_EQ(f[expected + 1], "1");
    EXPECT_EQ(QFileInfo(QString::fromUtf8(f[expected + 2])).canonicalFilePath(),
              QFileInfo(dotted).canonicalFilePath());
    EXPECT_TRUE(pwned().isEmpty()) << qPrintable(pwned().join(", "));
}

TEST_F(ShellSecurity, ProgramsRunThemselvesWithNoArgumentsAndNoShell) {
    qsizetype expected = 0;
    for (const char* raw : kHostileNames) {
        const QString file = items_ + "/" + QString::fromUtf8(raw) + ".prog";
        ASSERT_TRUE(makeExecutable(file, kProgram)) << raw;
        ASSERT_TRUE(shell_->ShellExecute(file)) << raw;
        expected += 3;
        const QList<QByteArray> f = waitForFields(expected);
        ASSERT_EQ(f.size(), expected) << raw;
        EXPECT_EQ(f[expected - 3], "prog") << raw;
        EXPECT_EQ(QString::fromUtf8(f[expected - 2]), file) << raw;
        EXPECT_EQ(f[expected - 1], "0") << raw;
    }
    EXPECT_TRUE(pwned().isEmpty()) << qPrintable(pwned().join(", "));
}

// Names that are no file: nothing is run, no option reaches the opener, no shell sees them.
TEST_F(ShellSecurity, HostileNamesThatAreNoFileStartNothing) {
    const char* const items[] = {
        "-e",
        "--version",
        "ls; touch PWNED7",
        "$(touch PWNED8)",
        "`touch PWNED9`",
        "a\nb",
        "../../../../bin/sh -c 'touch PWNED10'",
        "-x:y",
        "",
    };
    for (const char* raw : items) {
        EXPECT_FALSE(shell_->ShellExecute(QString::fromUtf8(raw))) << raw;
    }
    // Starts are detached: a document started afterwards must be the only record once it shows.
    const QString marker = items_ + "/marker.txt";
    ASSERT_TRUE(qvtest::writeAll(marker, "document"));
    ASSERT_TRUE(shell_->ShellExecute(marker));
    EXPECT_EQ(waitForFields(3), QList<QByteArray>({"open", "1", marker.toUtf8()}))
        << qvtest::readAll(log_).replace('\0', ' ').constData();
    EXPECT_TRUE(pwned().isEmpty()) << qPrintable(pwned().join(", "));
}

// A file named like an option, given relative to the current folder, reaches the opener as a
// path that cannot be read as an option.
TEST_F(ShellSecurity, RelativeItemWithLeadingDashIsNeverAnOption) {
    ASSERT_TRUE(qvtest::writeAll(items_ + "/-n.txt", "x"));
    ASSERT_TRUE(shell_->ShellExecute(QStringLiteral("-n.txt")));
    const QList<QByteArray> f = waitForFields(3);
    ASSERT_EQ(f.size(), 3);
    EXPECT_EQ(f[1], "1");
    EXPECT_FALSE(f[2].startsWith('-')) << f[2].constData();
    EXPECT_EQ(QFileInfo(QString::fromUtf8(f[2])).canonicalFilePath(),
              QFileInfo(items_ + "/-n.txt").canonicalFilePath());
}

} // namespace
