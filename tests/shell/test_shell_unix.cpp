// SPDX-License-Identifier: GPL-3.0-or-later
// The start facility: programs run directly in their own folder, shortcuts through their target,
// documents, folders and URLs through xdg-open. A fake xdg-open earlier in PATH and fake
// programs record, in order, what was started, where and with which arguments; nothing may
// reach a shell.
#include "common/menuitem.h"
#include "platform/dialogs/messagebox.h"
#include "platform/shell/shell.h"
#include "tests/support/printers.h"
#include "tests/support/testutil.h"
#include "tools/lnkwriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

class ShellUnix : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir().mkpath(bin) && QDir().mkpath(work));
        ASSERT_TRUE(makeRecorder(bin + "/xdg-open", "open"));
        ASSERT_TRUE(makeRecorder(bin + "/qv-recorder"));
        qputenv("PATH", QFile::encodeName(bin) + ":" + oldPath);
        qputenv("QV_START_LOG", QFile::encodeName(dir.filePath("starts.log")));
        shell = qv::createShellService(messages);
    }
    void TearDown() override { qputenv("PATH", oldPath); }

    // A record: "open" for the opener, else the program's path and working directory; then the
    // arguments. Each NUL-terminated, the record ended by "<end>", appended to one log.
    static bool makeRecorder(const QString& path, const QByteArray& head = R"("$0" "$PWD")") {
        return qvtest::writeAll(path, "#!/bin/sh\nprintf '%s\\0' " + head +
                                          " \"$@\" '<end>' >> \"$QV_START_LOG\"\n") &&
               QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QList<QStringList> records() const {
        QList<QStringList> list(1);
        for (const QByteArray& field : qvtest::readAll(dir.filePath("starts.log")).split('\0')) {
            if (field == "<end>") {
                list.append(QStringList());
            } else {
                list.back() << QFile::decodeName(field);
            }
        }
        list.removeLast(); // not ended yet
        return list;
    }
    // The next record, once its start (which runs detached) has written it.
    QStringList next() {
        qvtest::waitUntil([this] { return records().size() > taken; });
        const QList<QStringList> all = records();
        return taken < all.size() ? all[taken++] : QStringList({"<nothing started>"});
    }
    // Starts the item as the kind the windows decide for it.
    bool start(const QString& item) const {
        return shell->ShellExecute(item, qv::menuItemKind(item));
    }
    static QStringList opened(const QString& file) { return {"open", file}; }
    static QStringList ran(const QString& program, const QString& folder = {}) {
        return {program, folder.isEmpty() ? QFileInfo(program).absolutePath() : folder};
    }

    QString makeFile(const QString& name, const QByteArray& content = "x") const {
        QString path = QDir(work).filePath(name);
        EXPECT_TRUE(qvtest::writeAll(path, content)) << name.toStdString();
        return path;
    }
    QString makeProgram(const QString& folderName, const QString& name) const {
        const QString folder = QDir(work).filePath(folderName);
        EXPECT_TRUE(QDir().mkpath(folder) && makeRecorder(QDir(folder).filePath(name)));
        return QDir(folder).filePath(name);
    }
    QString makeLink(const QString& name, const QString& target, const QString& workingDir = {},
                     const QString& arguments = {}) const {
        qvtest::LnkFields link;
        link.localBasePath = target;
        link.workingDirectory = workingDir;
        link.arguments = arguments;
        return makeFile(name, qvtest::writeLnk(link));
    }

    // Starts are detached: once a later one has been recorded, any start before it would have
    // been recorded too. And no started process ran an injected command, wherever a shell
    // would have run it.
    void expectNothingMoreStarted() {
        const QString marker = makeFile("marker.txt");
        ASSERT_TRUE(start(marker));
        EXPECT_EQ(next(), opened(marker));
        EXPECT_EQ(records().size(), taken);
        for (const QString& where : {work, QDir::currentPath(), bin}) {
            EXPECT_FALSE(QFileInfo::exists(QDir(where).filePath("PWNED"))) << where.toStdString();
        }
    }

    QTemporaryDir dir;
    const QString bin = dir.filePath("bin"), work = dir.filePath("work");
    const QByteArray oldPath = qgetenv("PATH");
    qv::FakeMessageBox messages;
    std::unique_ptr<qv::ShellService> shell;
    qsizetype taken = 0;
};

// Documents, folders and URLs go to the opener as one argument each, programs start in their
// own folder. (Documents with hostile names are test_shell_security's.)
TEST_F(ShellUnix, EachItemStartsAsOneArgument) {
    const QString document = makeFile("-notes; x.txt");
    const QString folder = QDir(work).filePath("a folder; $(touch PWNED)");
    ASSERT_TRUE(QDir().mkpath(folder));
    makeFile("-leading-dash.txt");
    const QString url = "https://example.org/a b;c";
    const QString program = makeProgram("-semi;$(touch PWNED) 'q\"", "-run me; now");
    // A bare name is found on the path; a shortcut without working directory starts in the
    // target's folder.
    const std::pair<QString, QStringList> starts[] = {
        {folder, opened(folder)},
        {url, opened(url)},
        {program, ran(program)},
        {makeLink("Notes.lnk", document), opened(document)},
        {"qv-recorder", ran(bin + "/qv-recorder")}};
    for (const auto& [item, record] : starts) {
        ASSERT_TRUE(start(item)) << item.toStdString();
        EXPECT_EQ(next(), record) << item.toStdString();
    }
    // A relative item with a leading dash becomes an absolute path.
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    const bool started = start("work/-leading-dash.txt");
    QDir::setCurrent(before);
    ASSERT_TRUE(started);
    EXPECT_EQ(next(), opened(QDir(work).filePath("-leading-dash.txt")));
    expectNothingMoreStarted();
}

// The start facility follows the kind the windows decide: a shortcut whose suffix is written in
// other capitals shows no shortcut face, so it is opened as a document, not followed.
TEST_F(ShellUnix, ShortcutsStartAsTheWindowsShowThemLetterCaseIncluded) {
    const QString program = makeProgram("apps", "paint");
    const struct {
        const char* name;
        bool followed;
    } rows[] = {{"Paint.lnk", true}, {"Paint.LNK", false}, {"x.Lnk", false}, {"y.lnK", false}};
    for (const auto& row : rows) {
        const QString link = makeLink(row.name, program);
        EXPECT_EQ(qv::menuItem(link).kind == qv::MenuItemKind::Shortcut, row.followed) << row.name;
        ASSERT_TRUE(start(link)) << row.name;
        EXPECT_EQ(next(), row.followed ? ran(program) : opened(link)) << row.name;
    }
    expectNothingMoreStarted();
}

// A bare name ("Button 1=tool") is a program on the search path; a file of that name in the
// folder the launcher runs in never starts, even where PATH names that folder relatively.
TEST_F(ShellUnix, BareNameIsLookedUpOnTheSearchPathOnly) {
    ASSERT_TRUE(makeRecorder(QDir(work).filePath("tool")));
    makeFile("notes.txt");
    ASSERT_TRUE(makeRecorder(QDir(bin).filePath("both")));
    ASSERT_TRUE(makeRecorder(QDir(work).filePath("both")));
    struct Case {
        QString item;
        QByteArray path; // PATH during the start; bin first unless said
        bool started;
    };
    const QByteArray binPath = QFile::encodeName(bin);
    const Case cases[] = {
        {"tool", binPath, false},       {"tool", "." + QByteArray(":") + binPath, false},
        {"tool", ":" + binPath, false}, {"tool", "", false},
        {"notes.txt", binPath, false},  {"both", "." + QByteArray(":") + binPath, true},
        {"qv-recorder", binPath, true},
    };
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(work));
    for (const Case& c : cases) {
        qputenv("PATH", c.path);
        EXPECT_EQ(start(c.item), c.started) << c.item.toStdString() << " " << c.path.toStdString();
        if (c.started) {
            EXPECT_EQ(next(), ran(QDir(bin).filePath(c.item))) << c.item.toStdString();
        }
    }
    qputenv("PATH", binPath + ":" + oldPath);
    QDir::setCurrent(before);
    expectNothingMoreStarted();
}

TEST_F(ShellUnix, NothingIsStartedForMissingEmptyOrBrokenItems) {
    const QString missing = makeLink("Missing.lnk", QDir(work).filePath("gone"));
    const QByteArray good = qvtest::readAll(missing);
    const QString items[] = {
        "",
        QDir(work).filePath("missing.txt"),
        "C:\\WINDOWS\\explorer.exe",
        missing,
        makeLink("Windows.lnk", "C:\\WINDOWS\\notepad.exe"),
        makeLink("Relative.lnk", "qv-recorder"),
        makeFile("Truncated.lnk", good.left(good.size() / 2)),
        makeFile("Junk.lnk", QByteArray(300, '\xff')),
        makeFile("Empty.lnk", ""),
    };
    for (const QString& item : items) {
        EXPECT_FALSE(start(item)) << item.toStdString();
    }
    expectNothingMoreStarted();
}

// The target starts in the shortcut's working directory, with the shortcut's arguments split
// as a Windows program splits its command line.
TEST_F(ShellUnix, ShortcutStartsItsTargetInItsWorkingDirectoryWithWindowsQuoting) {
    const std::pair<QString, QStringList> cases[] = {
        {"  lead\ttab  trail  ", {"lead", "tab", "trail"}},
        {R"("a b" c)", {"a b", "c"}},
        {R"(a\"b)", {"a\"b"}},
        {R"("a\\" b)", {"a\\", "b"}},
        {R"(a\\b c\)", {"a\\\\b", "c\\"}},
        {R"(x "" y)", {"x", "", "y"}},
        {R"("quote""d")", {"quote\"d"}},
        {R"("unterminated quote)", {"unterminated quote"}},
        {R"('single quotes' stay)", {"'single", "quotes'", "stay"}},
        {R"(one ;touch PWNED $(touch PWNED) -dash)",
         {"one", ";touch", "PWNED", "$(touch", "PWNED)", "-dash"}},
    };
    const QString program = makeProgram("target dir", "prog");
    const QString cwd = QDir(work).filePath("start here; $(touch PWNED)");
    ASSERT_TRUE(QDir().mkpath(cwd));
    for (const auto& [line, words] : cases) {
        ASSERT_TRUE(start(makeLink("Args.lnk", program, cwd, line)));
        EXPECT_EQ(next(), ran(program, cwd) + words) << line.toStdString();
    }
    expectNothingMoreStarted();
}

TEST_F(ShellUnix, ComputerAndDocumentsOpenTheirFolders) {
    const QString config = dir.filePath("config");
    const QString docs = dir.filePath("My Docs; $(touch PWNED)");
    ASSERT_TRUE(QDir().mkpath(config) && QDir().mkpath(docs));
    ASSERT_TRUE(qvtest::writeAll(config + "/user-dirs.dirs",
                                 "XDG_DOCUMENTS_DIR=\"" + QFile::encodeName(docs) + "\"\n"));
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
    const bool started = shell->openDocuments();
    qputenv("XDG_CONFIG_HOME", oldConfig);
    ASSERT_TRUE(started);
    EXPECT_EQ(next(), opened(docs));
    ASSERT_TRUE(shell->openComputer());
    EXPECT_EQ(next(), opened("/"));
    expectNothingMoreStarted();
    // The opener's exit status is its result, reported after the start returned; its reason
    // goes to the error output.
    std::vector<std::pair<int, bool>> ended;
    shell->openerEnded = [&ended](int start, bool opened) { ended.emplace_back(start, opened); };
    ASSERT_TRUE(qvtest::writeAll(bin + "/xdg-open",
                                 "#!/bin/sh\necho \"xdg-open: no method available for opening "
                                 "'$1'\" >&2\nexit 3\n"));
    for (const bool opened : {false, true}) {
        if (opened) {
            ASSERT_TRUE(makeRecorder(bin + "/xdg-open", "open"));
        }
        const int before = shell->lastOpenerStart();
        ASSERT_TRUE(shell->openComputer());
        EXPECT_EQ(shell->lastOpenerStart(), before + 1);
        // The openers started before the handler may still end meanwhile: wait for this one.
        const auto endOfThisOne = [&] {
            return std::find_if(ended.begin(), ended.end(),
                                [&](const auto& e) { return e.first == before + 1; });
        };
        ASSERT_TRUE(qvtest::waitUntil([&] { return endOfThisOne() != ended.end(); }, 5000));
        EXPECT_EQ(*endOfThisOne(), std::make_pair(before + 1, opened));
        ended.clear();
    }
    EXPECT_EQ(next(), opened("/"));
    // A program started directly is no opener's.
    const int before = shell->lastOpenerStart();
    ASSERT_TRUE(start("qv-recorder"));
    EXPECT_EQ(next(), ran(bin + "/qv-recorder"));
    EXPECT_EQ(shell->lastOpenerStart(), before);
    // Without an opener nothing starts.
    qputenv("PATH", "/nonexistent-qv");
    EXPECT_FALSE(start(makeFile("doc.txt")));
    EXPECT_FALSE(shell->openComputer());
}

} // namespace
