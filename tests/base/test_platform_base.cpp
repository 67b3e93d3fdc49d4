// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/filetest.h"
#include "platform/startup.h"
#include "tests/support/testutil.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// Only visible regular files count as normal; only regular files that can be read are opened
// (special files are refused at once: opening a FIFO for reading would wait for a writer).
TEST(FileTest, OnlyVisibleRegularFilesCountAsNormal) {
    QTemporaryDir dir;
    const QString plain = dir.filePath("qv.ini");
    const QString hidden = dir.filePath(".qv.ini");
    const QString fifo = dir.filePath("fifo.ini");
    ASSERT_TRUE(qvtest::writeAll(plain, "[Settings]\r\n") && qvtest::writeAll(hidden, "x"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.ini"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const struct {
        QString path;
        bool normal;
        bool opens;
    } rows[] = {{plain, true, true},
                {hidden, false, true},
                {dir.filePath("folder.ini"), false, false},
                {dir.filePath("missing.ini"), false, false},
                {QString(), false, false},
                {fifo, false, false},
                {"/dev/null", false, false}};
    for (const auto& row : rows) {
        EXPECT_EQ(qv::isNormalFile(row.path), row.normal) << qPrintable(row.path);
        EXPECT_EQ(qv::canOpenForReading(row.path), row.opens) << qPrintable(row.path);
    }
}

TEST(Startup, MenuFileIsChosenInOrderOptionFolderEnvironmentSystemUser) {
    using S = qv::MenuSource;
    const std::optional<QString> none;
    struct Case {
        std::optional<QString> option, environment, systemConfig;
        bool folderHasMenu;
        QString path;
        S source;
        bool ignored;
    };
    const QString user = "/home/p/.config/quorvel/qv.ini";
    const Case cases[] = {
        {none, none, none, false, user, S::UserConfig, false},
        {none, none, none, true, "/opt/qv/qv.ini", S::ProgramFolder, false},
        {"/srv/menu", "/mnt/x", none, true, "/srv/menu/qv.ini", S::Option, false},
        {"room5.INI", none, none, false, "/home/p/room5.INI", S::Option, false},
        {"", "/mnt/share/", none, false, "/mnt/share/qv.ini", S::Environment, false},
        {none, "/mnt/share", none, true, "/opt/qv/qv.ini", S::ProgramFolder, false},
        {none, "../x", "menu=/mnt/c", false, "/home/x/qv.ini", S::Environment, false},
        {none, "", "# room 5\r\n\r\nmenufile=/y\r\n Menu = /mnt/c \r\n", false, "/mnt/c/qv.ini",
         S::SystemConfig, false},
        {none, none, "menu=/mnt/c/Room 5.ini\nmenu=/z", false, "/mnt/c/Room 5.ini", S::SystemConfig,
         false},
        {none, none, "menu = share/room5", false, user, S::UserConfig, true},
        {none, none, "", false, user, S::UserConfig, true},
        {none, none, "menu = /mnt/quorvel # room 5", false, "/mnt/quorvel/qv.ini", S::SystemConfig,
         false},
        {none, none, "menu =\t/mnt/q;x\t; old share", false, "/mnt/q;x/qv.ini", S::SystemConfig,
         false},
        {none, none, "  ; menu = /old\nmenu = /mnt/room#5", false, "/mnt/room#5/qv.ini",
         S::SystemConfig, false},
        {none, none, "menu = # none yet", false, user, S::UserConfig, true},
    };
    for (const Case& c : cases) {
        qv::MenuInputs in;
        in.programFolder = "/opt/qv";
        in.programFolderHasMenu = c.folderHasMenu;
        in.option = c.option;
        in.environment = c.environment;
        in.systemConfig = c.systemConfig;
        in.configHome = "/home/p/.config";
        in.currentFolder = "/home/p";
        const qv::MenuLocation got = qv::locateMenu(in);
        EXPECT_EQ(got.path, c.path);
        EXPECT_EQ(got.source, c.source) << qPrintable(c.path);
        EXPECT_EQ(!got.ignored.isEmpty(), c.ignored) << qPrintable(c.path);
    }
    EXPECT_EQ(qv::dataFolderOf("/usr/bin", false), "/usr/share/quorvel");
    EXPECT_EQ(qv::dataFolderOf("/b/bin", true), "/b/bin");
}

// A menu folder named by a setting that is not there is pointed out; the user's own is made.
TEST(Startup, MissingMenuFolderIsNamed) {
    QTemporaryDir dir;
    using S = qv::MenuSource;
    EXPECT_TRUE(qv::missingMenuFolder({dir.filePath("qv.ini"), S::SystemConfig, {}}).isEmpty());
    EXPECT_TRUE(qv::missingMenuFolder({dir.filePath("no/qv.ini"), S::UserConfig, {}}).isEmpty());
    for (const S source : {S::SystemConfig, S::Environment, S::Option}) {
        const QString note = qv::missingMenuFolder({dir.filePath("no/qv.ini"), source, {}});
        EXPECT_TRUE(note.contains(dir.filePath("no") + " ")) << qPrintable(note);
    }
}

TEST(Startup, WindowArgumentsAreCheckedBeforeAnyDisplay) {
    struct Case {
        QStringList arguments; // after the program's name
        QString problem;       // a word of the message; empty: none
    };
    const Case cases[] = {
        {{}, {}},
        {{"--menu", "/mnt/q"}, {}},
        {{"--menu=/mnt/q", "-platform", "offscreen"}, {}},
        {{"--platform=offscreen", "-reverse", "-style", "Fusion"}, {}},
        {{"--bogus"}, "'--bogus'"},
        {{"-x"}, "'-x'"},
        {{"--menu"}, "--menu needs"},
        {{"--menu", ""}, "--menu needs"},
        {{"--menu="}, "--menu needs"},
        {{"room5"}, "'room5'"},
        {{"--menu", "/m", "extra"}, "'extra'"},
        {{"-platform"}, "needs a value"},
        {{"-reverse=1"}, "'-reverse=1'"},
    };
    for (const Case& c : cases) {
        const std::optional<QString> got =
            qv::windowArgumentsProblem(QStringList{"quorvel-student"} + c.arguments);
        const QString shown = got.value_or(QString());
        EXPECT_EQ(got.has_value(), !c.problem.isEmpty()) << qPrintable(c.arguments.join(' '));
        EXPECT_TRUE(shown.contains(c.problem)) << qPrintable(shown);
    }
}

} // namespace
