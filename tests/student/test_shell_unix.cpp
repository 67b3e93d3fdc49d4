// The start facility: programs run directly in their own folder, shortcuts through their target,
// documents, folders and URLs through xdg-open. A fake xdg-open earlier in PATH and a real
// program that records its argv show what was started and with which arguments; nothing may
// reach a shell.
#include "platform/shell.h"
#include "tests/student/lnkwriter.h"
#include "tests/student/printers.h"
#include "tests/support/testutil.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// What one started process saw: its working directory and its argv.
struct Seen {
    QString cwd;
    QStringList argv;
};

class ShellUnix : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        bin = dir.filePath("bin");
        work = dir.filePath("work");
        ASSERT_TRUE(QDir().mkpath(bin));
        ASSERT_TRUE(QDir().mkpath(work));
        xdgLog = dir.filePath("xdg-open.log");
        argvLog = dir.filePath("argv.log");
        // The fake opener records its arguments exactly, one NUL-terminated each.
        const QString opener = QDir(bin).filePath("xdg-open");
        ASSERT_TRUE(qvtest::writeAll(opener,
                                     "#!/bin/sh\n"
                                     "printf '%s\\0' \"$PWD\" \"$@\" > \"$QV_XDG_LOG.part\"\n"
                                     "mv \"$QV_XDG_LOG.part\" \"$QV_XDG_LOG\"\n"));
        QFile::setPermissions(opener, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        recorder = QDir(bin).filePath("qv-argv-recorder");
        ASSERT_TRUE(QFile::copy(QStringLiteral(QV_ARGV_RECORDER), recorder));
        QFile::setPermissions(recorder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        oldPath = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin) + ":" + oldPath);
        qputenv("QV_XDG_LOG", QFile::encodeName(xdgLog));
        qputenv("QV_ARGV_LOG", QFile::encodeName(argvLog));
        shell = qv::createShellService();
    }
    void TearDown() override {
        qputenv("PATH", oldPath);
        qunsetenv("QV_XDG_LOG");
        qunsetenv("QV_ARGV_LOG");
    }

    // Waits for a started process to write its record (it runs detached), then removes it.
    static std::optional<Seen> take(const QString& log) {
        QDeadlineTimer deadline(20000);
        while (!QFileInfo::exists(log) && !deadline.hasExpired()) {
            QTest::qWait(10);
        }
        const QByteArray bytes = qvtest::readAll(log);
        if (bytes.isEmpty()) {
            return std::nullopt;
        }
        QFile::remove(log);
        QList<QByteArray> parts = bytes.split('\0');
        parts.removeLast(); // after the last NUL
        Seen seen;
        seen.cwd = QFile::decodeName(parts.takeFirst());
        for (const QByteArray& p : parts) {
            seen.argv << QFile::decodeName(p);
        }
        return seen;
    }

    QString makeFile(const QString& name, const QByteArray& content = "x") {
        QString path = QDir(work).filePath(name);
        EXPECT_TRUE(qvtest::writeAll(path, content)) << name.toStdString();
        return path;
    }

    QString makeProgram(const QString& folderName, const QString& name) {
        const QString folder = QDir(work).filePath(folderName);
        EXPECT_TRUE(QDir().mkpath(folder));
        QString path = QDir(folder).filePath(name);
        EXPECT_TRUE(QFile::copy(recorder, path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }

    QString makeLink(const QString& name, const lnkwriter::Link& link) {
        return makeFile(name, lnkwriter::write(link));
    }

    // No started process has written anything (checked after a start that must not happen, and
    // after the starts that would have run an injected command).
    bool nothingInjected() const {
        return !QFileInfo::exists(QDir(work).filePath("PWNED")) &&
               !QFileInfo::exists(QDir::current().filePath("PWNED")) &&
               !QFileInfo::exists(QDir(bin).filePath("PWNED"));
    }

    // After starts that must not happen: one document and one program started later, into logs
    // of their own, have both written their records, so a wrong start would have shown by now.
    void expectNothingStarted() {
        const QString lateXdg = dir.filePath("late-xdg.log"), lateArgv = dir.filePath("late.log");
        qputenv("QV_XDG_LOG", QFile::encodeName(lateXdg));
        qputenv("QV_ARGV_LOG", QFile::encodeName(lateArgv));
        EXPECT_TRUE(shell->ShellExecute(makeFile("marker.txt")));
        EXPECT_TRUE(shell->ShellExecute(makeProgram("marker", "marker")));
        EXPECT_TRUE(take(lateXdg));
        EXPECT_TRUE(take(lateArgv));
        qputenv("QV_XDG_LOG", QFile::encodeName(xdgLog));
        qputenv("QV_ARGV_LOG", QFile::encodeName(argvLog));
        EXPECT_FALSE(QFileInfo::exists(xdgLog));
        EXPECT_FALSE(QFileInfo::exists(argvLog));
        EXPECT_TRUE(nothingInjected());
    }

    QTemporaryDir dir;
    QString bin, work, xdgLog, argvLog, recorder;
    QByteArray oldPath;
    std::unique_ptr<qv::ShellService> shell;
};

// Documents with hostile names are checked in test_shell_security.
TEST_F(ShellUnix, DocumentsFoldersAndUrlsGoToTheOpenerAsOneArgumentEach) {
    QStringList items{makeFile("two words; $(touch PWNED).txt"), makeFile("--help"),
                      makeFile("-leading-dash.txt")};
    items << QDir(work).filePath("a folder; $(touch PWNED)") << "https://example.org/a b;c";
    ASSERT_TRUE(QDir().mkpath(items[items.size() - 2]));
    lnkwriter::Link toDocument;
    toDocument.target = QFile::encodeName(makeFile("-notes; x.txt"));
    items << makeLink("Notes.lnk", toDocument);
    for (const QString& item : items) {
        ASSERT_TRUE(shell->ShellExecute(item)) << item.toStdString();
        const std::optional<Seen> seen = take(xdgLog);
        ASSERT_TRUE(seen) << item.toStdString();
        EXPECT_EQ(
            seen->argv,
            QStringList({item.endsWith(".lnk") ? QFile::decodeName(toDocument.target) : item}))
            << item.toStdString();
    }
    // A relative item with a leading dash becomes an absolute path.
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(work));
    const bool started = shell->ShellExecute("-leading-dash.txt");
    QDir::setCurrent(before);
    ASSERT_TRUE(started);
    const std::optional<Seen> seen = take(xdgLog);
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->argv, QStringList({QDir(work).filePath("-leading-dash.txt")}));
    EXPECT_TRUE(nothingInjected());
}

TEST_F(ShellUnix, ProgramsStartDirectlyInTheirOwnFolder) {
    const char* const folders[] = {"progs", "with space", "semi;$(touch PWNED)", "-dash 'q\""};
    for (const char* f : folders) {
        const QString program = makeProgram(QString::fromUtf8(f), "-run me; now");
        ASSERT_TRUE(shell->ShellExecute(program)) << f;
        const std::optional<Seen> seen = take(argvLog);
        ASSERT_TRUE(seen) << f;
        EXPECT_EQ(seen->argv, QStringList({program})) << f;
        EXPECT_EQ(seen->cwd, QFileInfo(program).absolutePath()) << f;
    }
    // A bare name is found on the path; a shortcut without working directory starts in the
    // target's folder, whatever the case of its extension.
    const QString program = makeProgram("bin two", "prog");
    lnkwriter::Link link;
    link.target = QFile::encodeName(program);
    const std::pair<QString, QString> starts[] = {{"qv-argv-recorder", recorder},
                                                  {makeLink("upper.LNK", link), program}};
    for (const auto& [item, started] : starts) {
        ASSERT_TRUE(shell->ShellExecute(item));
        const std::optional<Seen> seen = take(argvLog);
        ASSERT_TRUE(seen);
        EXPECT_EQ(seen->argv, QStringList({started}));
        EXPECT_EQ(seen->cwd, QFileInfo(started).absolutePath());
    }
    EXPECT_FALSE(QFileInfo::exists(xdgLog));
    EXPECT_TRUE(nothingInjected());
}

TEST_F(ShellUnix, NothingIsStartedForMissingEmptyOrBrokenItems) {
    lnkwriter::Link missing;
    missing.target = QFile::encodeName(QDir(work).filePath("gone"));
    lnkwriter::Link windows;
    windows.target = "C:\\WINDOWS\\notepad.exe";
    lnkwriter::Link relative;
    relative.target = "qv-argv-recorder";
    const QByteArray good = lnkwriter::write(missing);
    const QString items[] = {
        "",
        QDir(work).filePath("missing.txt"),
        "no-such-program-qv",
        "C:\\WINDOWS\\explorer.exe",
        "-rf",
        "; touch PWNED",
        makeLink("Missing.lnk", missing),
        makeLink("Windows.lnk", windows),
        makeLink("Relative.lnk", relative),
        makeFile("Truncated.lnk", good.left(good.size() / 2)),
        makeFile("Junk.lnk", QByteArray(300, '\xff')),
        makeFile("Empty.lnk", ""),
    };
    for (const QString& item : items) {
        EXPECT_FALSE(shell->ShellExecute(item)) << item.toStdString();
    }
    expectNothingStarted();
}

TEST_F(ShellUnix, ShortcutStartsItsTargetInItsWorkingDirectoryWithWindowsQuoting) {
    struct Case {
        QString line;
        QStringList words;
    };
    const Case cases[] = {
        {"a b", {"a", "b"}},
        {"  lead\ttab  trail  ", {"lead", "tab", "trail"}},
        {R"("a b" c)", {"a b", "c"}},
        {R"(a\"b)", {"a\"b"}},
        {R"("a\\" b)", {"a\\", "b"}},
        {R"(a\\b c\)", {"a\\\\b", "c\\"}},
        {R"("")", {""}},
        {R"(x "" y)", {"x", "", "y"}},
        {R"("quote""d")", {"quote\"d"}},
        {R"(ab"c d"ef)", {"abc def"}},
        {R"("unterminated quote)", {"unterminated quote"}},
        {R"('single quotes' stay)", {"'single", "quotes'", "stay"}},
        {R"(one ;touch PWNED $(touch PWNED) -dash)",
         {"one", ";touch", "PWNED", "$(touch", "PWNED)", "-dash"}},
    };
    // The target starts in the shortcut's working directory, with the shortcut's arguments.
    const QString program = makeProgram("target dir", "prog");
    const QString cwd = QDir(work).filePath("start here; $(touch PWNED)");
    ASSERT_TRUE(QDir().mkpath(cwd));
    for (const Case& c : cases) {
        lnkwriter::Link link;
        link.target = QFile::encodeName(program);
        link.workingDirectory = cwd;
        link.arguments = c.line;
        ASSERT_TRUE(shell->ShellExecute(makeLink("Args.lnk", link))) << c.line.toStdString();
        const std::optional<Seen> seen = take(argvLog);
        ASSERT_TRUE(seen);
        EXPECT_EQ(seen->argv, QStringList({program}) + c.words) << c.line.toStdString();
        EXPECT_EQ(seen->cwd, cwd);
    }
    EXPECT_TRUE(nothingInjected());
}

TEST_F(ShellUnix, ComputerAndDocumentsOpenTheirFolders) {
    const QString config = dir.filePath("config");
    const QString docs = dir.filePath("My Docs; $(touch PWNED)");
    ASSERT_TRUE(QDir().mkpath(config));
    ASSERT_TRUE(QDir().mkpath(docs));
    ASSERT_TRUE(qvtest::writeAll(QDir(config).filePath("user-dirs.dirs"),
                                 "XDG_DOCUMENTS_DIR=\"" + QFile::encodeName(docs) + "\"\n"));
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
    const bool started = shell->openDocuments();
    qputenv("XDG_CONFIG_HOME", oldConfig);
    ASSERT_TRUE(started);
    std::optional<Seen> seen = take(xdgLog);
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->argv, QStringList({docs}));
    ASSERT_TRUE(shell->openComputer());
    seen = take(xdgLog);
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->argv, QStringList({"/"}));
    EXPECT_TRUE(nothingInjected());
    // Without an opener nothing starts.
    qputenv("PATH", "/nonexistent-qv");
    EXPECT_FALSE(shell->ShellExecute(makeFile("doc.txt")));
    EXPECT_FALSE(shell->openComputer());
}

} // namespace
