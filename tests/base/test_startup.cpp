// SPDX-License-Identifier: GPL-3.0-or-later
// The session's start-up: which menu file, the checks of the arguments, the user's name.
#include "platform/session/startup.h"
#include "platform/session/username.h"
#include "tests/support/testutil.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

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

// A class's menu: the line of the first of the user's groups that has one, else the plain line.
TEST(Startup, MenuConfNamesAMenuPerGroup) {
    const QString conf = "menu = /mnt/all\n"
                         "menu[year1] = /mnt/y1 # the first class\n"
                         "MENU[year6]=/mnt/y6\n"
                         "menu[year1] = /mnt/later\n"
                         "menu[staff = /mnt/broken\n"
                         "menu[] = /mnt/empty\n"
                         "menu[year 2] = /mnt/spaced\n"
                         "menu [year3] = /mnt/spaced-key\n"
                         "menu[[year4]] = /mnt/brackets\n"
                         "menu[year5]x = /mnt/trailing\n"
                         "; menu[year7] = /mnt/remark\n";
    struct Case {
        QStringList groups;
        QString value, group; // group "": the plain line
    };
    const Case cases[] = {
        {{}, "/mnt/all", ""},
        {{"pupils"}, "/mnt/all", ""},
        {{"pupils", "year1"}, "/mnt/y1", "year1"},
        {{"year6", "year1"}, "/mnt/y6", "year6"},
        {{"Year1", "year"}, "/mnt/all", ""},
        {{"staff", "staff = /mnt/broken"}, "/mnt/all", ""},
        {{"", "year 2", "year", "2", "year3"}, "/mnt/all", ""},
        {{"[year4]", "year4", "year5", "year7"}, "/mnt/all", ""},
    };
    for (const Case& c : cases) {
        const std::optional<qv::MenuConfLine> got = qv::menuConfLine(conf, c.groups);
        ASSERT_TRUE(got) << qPrintable(c.groups.join(','));
        EXPECT_EQ(got->value, c.value) << qPrintable(c.groups.join(','));
        EXPECT_EQ(got->group, c.group) << qPrintable(c.groups.join(','));
    }
    // Without a plain line only the groups' lines count; the plain line alone is as before.
    EXPECT_FALSE(qv::menuConfLine("menu[year1] = /mnt/y1\n", {"year6"}));
    EXPECT_EQ(qv::menuConfLine("menu[year1] = /mnt/y1\n", {"year1"})->value, "/mnt/y1");
    EXPECT_EQ(qv::menuConfValue(conf), "/mnt/all");
    EXPECT_EQ(qv::menuConfValue("menu[year1] = /y1\nmenu = /all\n"), "/all");
}

// The group line takes its place in the order of the settings, and says why it was chosen.
TEST(Startup, GroupMenuComesAfterEnvironmentAndBeforeTheUsersOwn) {
    using S = qv::MenuSource;
    struct Case {
        std::optional<QString> option, environment;
        QString conf;
        QString path;
        S source;
        QString why; // part of describeChoice, or of the note when the line was not used
    };
    const std::optional<QString> none;
    const QString user = "/home/p/.config/quorvel/qv.ini";
    const Case cases[] = {
        {none, none, "menu = /all\nmenu[year1] = /y1", "/y1/qv.ini", S::GroupConfig,
         "menu[year1] in /etc/quorvel/menu.conf (you are in group year1)"},
        {none, none, "menu = /all\nmenu[year6] = /y6", "/all/qv.ini", S::SystemConfig,
         "no line menu[GROUP]"},
        {"/typed", none, "menu[year1] = /y1", "/typed/qv.ini", S::Option, "--menu"},
        {none, "/env", "menu[year1] = /y1", "/env/qv.ini", S::Environment, "QV_MENU"},
        {none, none, "menu = /all\nmenu[year1] = y1", user, S::UserConfig,
         "menu[year1] in /etc/quorvel/menu.conf names no absolute path"},
    };
    for (const Case& c : cases) {
        qv::MenuInputs in;
        in.programFolder = "/opt/qv";
        in.option = c.option;
        in.environment = c.environment;
        in.systemConfig = c.conf;
        in.groups = {"pupils", "year1"};
        in.configHome = "/home/p/.config";
        in.currentFolder = "/home/p";
        const qv::MenuLocation got = qv::locateMenu(in);
        EXPECT_EQ(got.path, c.path);
        EXPECT_EQ(got.source, c.source) << qPrintable(c.path);
        const QString why = qv::describeChoice(got) + got.ignored;
        EXPECT_TRUE(why.contains(c.why)) << qPrintable(why);
    }
}

// The groups in the order the group lines are tried: the order `id -Gn USER` shows (the
// group database's), which the manual pages and menu.conf promise.
TEST(Startup, UserGroupsComeInTheOrderOfIdGn) {
    const QString user = qv::logonUserName();
    ASSERT_FALSE(user.isEmpty());
    QProcess id;
    id.start(QStringLiteral("id"), {QStringLiteral("-Gn"), user});
    ASSERT_TRUE(id.waitForFinished(5000) && id.exitCode() == 0);
    const QString expected = QString::fromLocal8Bit(id.readAllStandardOutput()).simplified();
    EXPECT_EQ(qv::userGroups().join(u' ').toStdString(), expected.toStdString());
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
