// SPDX-License-Identifier: GPL-3.0-or-later
// Which kind an item is, and the captions, icons and starts of the two Linux kinds, also through
// the start facility (shortcuts, programs and every other item keep their own rules); then desktop
// entries and bare executables through the real GLib backend, in a private XDG world.
#include "common/linuxitems.h"
#include "common/ui/ExtIcon.h"
#include "common/ui/imgicon.h"
#include "platform/desktopentry/desktopentry.h"
#include "platform/dialogs/messagebox.h"
#include "platform/shell/shell.h"
#include "tests/support/xdgworld.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <optional>

using qv::DesktopEntry;
using qv::MenuItemKind;
using qvtest::XdgWorld;

namespace {

TEST(Kind, ByNameFollowsTheRules) {
    const std::tuple<const char*, bool, MenuItemKind> cases[] = {
        // item, executable file, kind
        {"C:\\Apps\\Paint.lnk", false, MenuItemKind::Shortcut},
        {"C:\\Apps\\Paint.exe", false, MenuItemKind::Program},
        // The Windows rule looks at three characters only, and comes first.
        {"/usr/bin/mylnk", true, MenuItemKind::Shortcut},
        {"/usr/bin/makeexe", true, MenuItemKind::Program},
        // Letter case counts, as the item is written (see menuitem.h).
        {"/x/Paint.LNK", false, MenuItemKind::Other},
        {"/x/x.Lnk", false, MenuItemKind::Other},
        {"/x/x.lnK", false, MenuItemKind::Other},
        {"/x/x.exe", false, MenuItemKind::Program},
        {"/x/x.EXE", false, MenuItemKind::Other},
        {"/x/Paint.EXE", true, MenuItemKind::Other},
        {"/x/a.desktop", false, MenuItemKind::DesktopEntry},
        {"/x/a.Desktop", true, MenuItemKind::Other},
        {"/x/nosuffix", false, MenuItemKind::Other},
        {"/x/nosuffix", true, MenuItemKind::Executable},
        {"/usr/share/applications/xterm.desktop", false, MenuItemKind::DesktopEntry},
        {"/usr/share/applications/xterm.desktop", true, MenuItemKind::DesktopEntry},
        {"/x/xterm.DESKTOP", false, MenuItemKind::Other},
        {"/x/xterm.desktop.bak", false, MenuItemKind::Other},
        {"/usr/bin/xcalc", true, MenuItemKind::Executable},
        {"/usr/bin/xcalc", false, MenuItemKind::Other},
        {"/opt/app-1.2/run", true, MenuItemKind::Executable},
        {"/usr/bin/tool.sh", true, MenuItemKind::Other},
        {"/home/pupil/.hidden", true, MenuItemKind::Other},
        {"/usr/bin/", true, MenuItemKind::Other},
        {"", true, MenuItemKind::Other},
        // Only the last three characters count, however short the item.
        {"lnk", false, MenuItemKind::Shortcut},
        {"nk", false, MenuItemKind::Other},
    };
    for (const auto& [item, executableFile, kind] : cases) {
        EXPECT_EQ(qv::menuItemKindOf(QString::fromUtf8(item), executableFile), kind) << item;
    }
}

TEST(Kind, AsksTheFileSystemForBareNames) {
    XdgWorld world;
    const QString tool = world.writeFile("bin/tool", "#!/bin/sh\n", true);
    const QString plain = world.writeFile("bin/plain", "text", false);
    const QString scripted = world.writeFile("bin/run.sh", "#!/bin/sh\n", true);
    EXPECT_EQ(qv::menuItemKind(tool), MenuItemKind::Executable);
    EXPECT_EQ(qv::menuItemKind(plain), MenuItemKind::Other);
    EXPECT_EQ(qv::menuItemKind(scripted), MenuItemKind::Other);
    // A folder may have the execute permission but is no program.
    EXPECT_EQ(qv::menuItemKind(world.bin()), MenuItemKind::Other);
    EXPECT_EQ(qv::menuItemKind(world.root() + "/missing"), MenuItemKind::Other);
    // A link to a program counts as the program, whatever the target's name.
    const QString link = world.root() + "/bin/python";
    ASSERT_TRUE(QFile::link(scripted, link));
    EXPECT_EQ(qv::menuItemKind(link), MenuItemKind::Executable);
    // A missing entry file is still a desktop entry (its start then says what is wrong).
    EXPECT_EQ(qv::menuItemKind(world.root() + "/none.desktop"), MenuItemKind::DesktopEntry);
}

// The caption the menu shows: the Linux kinds by their rule, every other item as before.
TEST(Caption, LinuxKindsByTheirRuleOthersAsBefore) {
    XdgWorld world;
    qputenv("LANGUAGE", "de");
    const QString entry = world.writeEntry(
        "calc.desktop", "Type=Application\nName=Calculator\nName[de]=Rechner\nExec=calc\n");
    const QString tool = world.writeFile("bin/xcalc", "#!/bin/sh\n", true);
    const QString shortcut = world.writeFile("bin/Paint.lnk", "not read here", true);
    const std::optional<QString> none;
    // The item, its caption as a Linux kind, the caption the menu shows.
    const std::tuple<QString, std::optional<QString>, QString> cases[] = {
        {entry, "Rechner", "Rechner"},
        {tool, "xcalc", "xcalc"},
        {shortcut, none, "Paint"},
        {"", none, ""},
        // Not executable: not the new kind, so the old rule cuts four characters.
        {world.writeFile("bin/xclock", "x"), none, "xc"},
    };
    for (const auto& [item, linuxCaption, displayName] : cases) {
        EXPECT_EQ(qv::linuxItemCaption(item), linuxCaption) << qPrintable(item);
        EXPECT_EQ(qv::ItemDisplayName(item), displayName) << qPrintable(item);
    }
}

TEST(Icon, DrawnOverTheSurfaceOnlyForTheLinuxKinds) {
    XdgWorld world;
    world.addThemeIcon("qvtest-calc", QColor(0, 0, 255));
    const QString entry = world.writeEntry(
        "calc.desktop", "Type=Application\nName=Calc\nIcon=qvtest-calc\nExec=calc\n");
    const QString tool = world.writeFile("opt/tool", "#!/bin/sh\n", true);
    EXPECT_EQ(qv::linuxItemIcon(tool), qv::genericExecutableIcon());
    EXPECT_TRUE(qv::linuxItemIcon(world.writeFile("opt/noexec", "x")).isNull());
    qv::IconSurface surface;
    EXPECT_TRUE(qv::drawLinuxItemIcon(surface, entry, qv::menuItemKind(entry)));
    EXPECT_EQ(surface.picture().toImage().pixelColor(16, 16), QColor(0, 0, 255));
    surface.clearPicture();
    const QString shortcut = world.writeFile("a.lnk", "x");
    EXPECT_FALSE(qv::drawLinuxItemIcon(surface, shortcut, qv::menuItemKind(shortcut)));
    EXPECT_TRUE(surface.picture().isNull());
}

TEST(Start, LinuxKindsStartOrSayWhyOthersAreLeftToTheCaller) {
    XdgWorld world;
    qv::FakeMessageBox box;
    const QString tool = world.addRecorder("tool");
    EXPECT_EQ(qv::startLinuxItem(tool, box), std::optional<bool>(true));
    EXPECT_EQ(world.argsOf("tool"), QStringList());
    EXPECT_EQ(qv::startLinuxItem(world.writeFile("Paint.lnk", "x"), box), std::nullopt);
    EXPECT_EQ(qv::startLinuxItem(world.writeFile("notes.txt", "x"), box), std::nullopt);
    EXPECT_TRUE(box.messages.empty());
    // A refused start is said in a message.
    EXPECT_EQ(
        qv::startLinuxItem(world.writeEntry("games.desktop", "Type=Directory\nName=Games\n"), box),
        std::optional<bool>(false));
    ASSERT_EQ(box.messages.size(), 1U);
    EXPECT_EQ(box.messages[0].text,
              "\"Games\" cannot be started: it is a desktop entry of type \"Directory\", and "
              "only applications and links can be started.");
    EXPECT_EQ(box.messages[0].icon, qv::MsgIcon::Information);
}

// The real start facility with the two Linux kinds: a desktop entry runs its Exec (not the
// opener), a refused one says why, a bare executable is run directly.
TEST(ShellLinuxItems, EntriesRunTheirCommandOrSayWhyExecutablesRunDirectly) {
    XdgWorld world;
    qv::FakeMessageBox box;
    world.addRecorder("rec");
    world.addRecorder("xdg-open");
    const QString tool = world.addRecorder("tool");
    const QString entry =
        world.writeEntry("rec.desktop", "Type=Application\nName=R\nExec=rec one\n");
    auto shell = qv::createShellService(box);
    EXPECT_TRUE(shell->ShellExecute(entry, qv::menuItemKind(entry)));
    EXPECT_EQ(world.argsOf("rec"), QStringList({"one"}));

    const QString refused = world.writeEntry("games.desktop", "Type=Directory\nName=Games\n");
    EXPECT_FALSE(shell->ShellExecute(refused, qv::menuItemKind(refused)));
    ASSERT_EQ(box.messages.size(), 1U);
    EXPECT_TRUE(box.messages[0].text.startsWith("\"Games\" cannot be started: "));

    // Started last: once it has run, an opener started before it would have been recorded.
    EXPECT_TRUE(shell->ShellExecute(tool, qv::menuItemKind(tool)));
    EXPECT_EQ(world.argsOf("tool"), QStringList());
    EXPECT_FALSE(world.hasRecord("xdg-open"));
}

// --- desktop entries read, localized, drawn and started through the real GLib backend ---
const QColor blue(0, 0, 255);
const QColor red(255, 0, 0);
const QColor green(0, 255, 0);

QByteArray entry(const QByteArray& body) {
    return "[Desktop Entry]\n" + body;
}

// --- reading ---------------------------------------------------------------------------------

// Each is refused with a reason, and its caption falls back to the file name, as a nameless
// entry's does.
TEST(DesktopEntryRead, BrokenMissingAndHugeFilesAreRefusedWithAReason) {
    XdgWorld world;
    QStringList files = {
        world.root() + "/none.desktop",
        world.writeFile("Broken Tool.desktop", QByteArray::fromHex("7f454c46020101000000")),
        world.writeFile("huge.desktop", entry("Name=x\n") + QByteArray(2 << 20, '#'))};
    for (const char* text : {"", "[Other]\nName=x\n", "Name=x\nExec=y\n",
                             "[Desktop Entry]\nthis is no key\n", "[Desktop Entry\nName=x\n"}) {
        files << world.writeFile(QString::number(files.size()) + ".desktop", text);
    }
    for (const QString& file : files) {
        QString error;
        EXPECT_FALSE(qv::readDesktopEntry(file, &error).has_value()) << qPrintable(file);
        EXPECT_FALSE(error.isEmpty()) << qPrintable(file);
        EXPECT_EQ(qv::desktopEntryCaption(file), QFileInfo(file).completeBaseName());
    }
    EXPECT_EQ(qv::desktopEntryCaption(world.writeEntry("nameless.desktop", "Type=Application\n")),
              "nameless");
}

TEST(DesktopEntryRead, ExecProgramIsTheFirstWordUnquoted) {
    const std::pair<const char*, const char*> table[] = {
        {"\"/opt/My App/run\" %U", "/opt/My App/run"}, {"\"unterminated", ""}, {"   ", ""}};
    for (const auto& [exec, program] : table) {
        EXPECT_EQ(qv::execProgram(QString::fromUtf8(exec)), QString::fromUtf8(program)) << exec;
    }
}

// --- refusals --------------------------------------------------------------------------------

TEST(DesktopEntryRefusal, SaysWhyOrNothing) {
    const QString no = "\"Tool\" cannot be started: ";
    const QString onlyApps = ", and only applications and links can be started.";
    // The refusal of a field code inside quotes or a comment.
    const QString inQuotes =
        no + "the command of its desktop entry puts %1 inside quotes (or a comment), which "
             "desktop entries must not do: a file or folder name in its place could run as a "
             "command.";
    const std::pair<QByteArray, QString> cases[] = {
        // empty: the entry may be started
        {"Type=Application\nExec=tool\n", ""},
        {"Type=Link\nURL=https://example.org/\n", ""},
        {"Type=Application\nExec=tool\nHidden=true\n",
         no + "its desktop entry is marked as hidden."},
        {"Type=Application\nExec=tool\nNoDisplay=true\n",
         no + "its desktop entry is marked not to be shown in menus."},
        {"Type=Directory\nName=Games\n",
         no + "it is a desktop entry of type \"Directory\"" + onlyApps},
        {"Exec=tool\n", no + "it is a desktop entry without a type" + onlyApps},
        {"Type=application\nExec=tool\n",
         no + "it is a desktop entry of type \"application\"" + onlyApps},
        {"Type=Application\nName=Tool\n", no + "its desktop entry names no program."},
        {"Type=Application\nExec=\"tool\n",
         no + "the command of its desktop entry cannot be read."},
        {"Type=Link\nName=Site\n", no + "its desktop entry names no address."},
        {"Type=Application\nExec=sh -c \"echo %k\"\n", inQuotes.arg("%k")},
        {"Type=Application\nExec=sh -c 'cat %f'\n", inQuotes.arg("%f")},
        {"Type=Application\nExec=tool #%k\n", inQuotes.arg("%k")},
        // GLib sees a comment after an escaped blank, and after a code that leaves nothing.
        {"Type=Application\nExec=tool\\\\ #%k\n", inQuotes.arg("%k")},
        {"Type=Application\nExec=tool %f#%k\n", inQuotes.arg("%k")},
        // A comment ends at the line break, unless a '%' before it takes the break away.
        {"Type=Application\nExec=tool #a\\n%k\n", ""},
        {"Type=Application\nExec=tool #a%\\n%k\n", inQuotes.arg("%k")},
        // A hash inside a word is no comment; a backslash in single quotes is literal.
        {"Type=Application\nExec=tool a#b %k \"c\"#%k\n", ""},
        {"Type=Application\nExec=tool 'a\\\\' %k\n", ""},
        // GLib expands the codes before it splits the line: the backslash then escapes the quote.
        {"Type=Application\nExec=tool \"a\\\\%z\" %k \"b\"\n", inQuotes.arg("%k")},
        {"Type=Application\nExec=tool \"100%% \\\\\" x\" %c --at=%k %U\n", ""},
    };
    for (const auto& [body, expected] : cases) {
        const auto e = qv::parseDesktopEntry(entry(body));
        ASSERT_TRUE(e.has_value()) << body.constData();
        EXPECT_EQ(qv::desktopEntryRefusal(*e, QStringLiteral("Tool")), expected)
            << body.constData();
    }
}

// --- icons -----------------------------------------------------------------------------------

bool isColour(const QImage& img, int x, int y, const QColor& c) {
    const QColor p = img.pixelColor(x, y);
    return p.alpha() == 255 && p.red() == c.red() && p.green() == c.green() && p.blue() == c.blue();
}

TEST(DesktopEntryIcon, ThemeNameIsDrawnAt32WithTransparencyElseTheGenericIcon) {
    XdgWorld world;
    world.addThemeIcon("qvtest-calc", blue);
    const QImage img = qv::desktopEntryIcon(
        world.writeEntry("calc.desktop", "Type=Application\nName=C\nIcon=qvtest-calc\nExec=c\n"));
    ASSERT_EQ(img.size(), QSize(32, 32));
    EXPECT_TRUE(isColour(img, 16, 16, blue));
    EXPECT_EQ(img.pixelColor(0, 0).alpha(), 0);
    // A theme name written with an extension is still found.
    EXPECT_TRUE(isColour(qv::iconImage("qvtest-calc.png"), 16, 16, blue));
    // A missing icon: the generic program icon for applications, none for the rest.
    const QString app = world.writeEntry("a.desktop", "Type=Application\nExec=a\nIcon=qvtest-no\n");
    ASSERT_FALSE(qv::genericExecutableIcon().isNull());
    EXPECT_EQ(qv::desktopEntryIcon(app), qv::genericExecutableIcon());
    EXPECT_TRUE(qv::desktopEntryIcon(world.writeEntry("d.desktop", "Type=Directory\n")).isNull());
    EXPECT_TRUE(qv::desktopEntryIcon(world.writeFile("junk.desktop", "junk")).isNull());
}

// A 64 picture is halved (its red middle spans 8..24); a 16 one is centred (12..20).
TEST(DesktopEntryIcon, APictureIsFittedInto32KeepingTransparency) {
    const std::tuple<int, int, int, int> cases[] = {
        {64, 9, 23, 4}, {32, 8, 23, 4}, {16, 13, 19, 10}};
    for (const auto& [size, insideX, insideY, outside] : cases) {
        XdgWorld world;
        const QString pic = world.writePicture("pics/p.png", size, red);
        const QImage img = qv::desktopEntryIcon(world.writeEntry(
            "p.desktop", "Type=Application\nName=P\nExec=p\nIcon=" + pic.toUtf8() + "\n"));
        ASSERT_EQ(img.size(), QSize(32, 32)) << size;
        EXPECT_TRUE(isColour(img, insideX, insideY, red)) << size;
        EXPECT_EQ(img.pixelColor(outside, outside).alpha(), 0) << size;
    }
}

// --- starting --------------------------------------------------------------------------------

TEST(DesktopEntryStart, FieldCodesAreExpandedWithoutAShellInItsPath) {
    XdgWorld world;
    world.addRecorder("rec");
    qputenv("LANGUAGE", "de");
    const QString work = world.root() + "/work folder";
    QDir().mkpath(work);
    const QString file = world.writeEntry(
        "rec.desktop",
        "Type=Application\nName=Recorder\nName[de]=Rekorder\nIcon=qvtest-rec\nPath=" +
            work.toUtf8() +
            "\nExec=rec -f %f -F %F -u %u -U %U %i --name %c --at %k 100%% $HOME a;b >out "
            "\"two words\" \"say \\\\\"hi\\\\\"\"\n");
    const auto r = qv::startDesktopEntry(file);
    ASSERT_TRUE(r.started) << r.message.toStdString();
    const QStringList expected = {
        work,   "-f", "-F",   "-u",    "-U",  "--icon", "qvtest-rec", "--name",    "Rekorder",
        "--at", file, "100%", "$HOME", "a;b", ">out",   "two words",  "say \"hi\""};
    EXPECT_EQ(world.waitForRecord("rec"), expected); // the working folder, then the arguments
    EXPECT_FALSE(QFileInfo::exists(work + "/out"));
}

TEST(DesktopEntryStart, TerminalEntriesPreferTheConfiguredTerminalThenXterm) {
    const std::pair<QStringList, QString> table[] = {
        // the terminal used; none: refused
        {{"x-terminal-emulator", "xterm"}, "x-terminal-emulator"},
        {{"xterm"}, "xterm"},
        {{}, ""}};
    for (const auto& [terminals, used] : table) {
        XdgWorld world;
        for (const QString& t : terminals + QStringList{"top"}) {
            world.addRecorder(t);
        }
        const auto r = qv::startDesktopEntry(world.writeEntry(
            "top.desktop", "Type=Application\nName=Top\nExec=top -d 2\nTerminal=true\n"));
        EXPECT_EQ(r.started, !used.isEmpty()) << r.message.toStdString();
        if (used.isEmpty()) {
            EXPECT_TRUE(r.message.startsWith("\"Top\" could not be started: "));
        } else {
            EXPECT_EQ(world.argsOf(used), QStringList({"-e", "top", "-d", "2"}));
            EXPECT_FALSE(world.hasRecord("xterm") && used != "xterm");
        }
        EXPECT_FALSE(world.hasRecord("top"));
    }
}

TEST(DesktopEntryStart, LinksOpenTheirAddress) {
    XdgWorld world;
    world.addRecorder("xdg-open");
    ASSERT_TRUE(qv::startDesktopEntry(
                    world.writeEntry("site.desktop", "Type=Link\nURL=https://example.org/a b\n"))
                    .started);
    EXPECT_EQ(world.argsOf("xdg-open"), QStringList({"https://example.org/a b"}));
}

TEST(DesktopEntryStart, RefusedOrFailedStartsRunNothingAndSayWhy) {
    const QString unreadable =
        "\"item.desktop\" cannot be started: it is not a readable desktop entry";
    const std::pair<QByteArray, QString> table[] = {
        // a file's text; empty: no file at all
        {entry("Type=Application\nName=Rec\nExec=rec\nHidden=true\n"),
         "\"Rec\" cannot be started: its desktop entry is marked as hidden."},
        {entry("Type=Application\nName=Rec\nExec=rec\nTryExec=qvtest-absent\n"),
         R"("Rec" cannot be started: the program "qvtest-absent" is not installed.)"},
        {entry("Type=Application\nName=Rec\nExec=absent\n"),
         R"("Rec" cannot be started: the program "absent" is not installed.)"},
        {entry("Type=Application\nName=Rec\nExec=rec\nPath=/nonexistent-qv/gone\n"),
         "\"Rec\" could not be started: "},
        {"", unreadable},
    };
    for (const auto& [text, messageStart] : table) {
        XdgWorld world;
        for (const char* program : {"rec", "xdg-open", "late"}) {
            world.addRecorder(program);
        }
        const QString file = text.isEmpty()
                                 ? world.root() + "/item.desktop"
                                 : world.writeFile("data/applications/item.desktop", text);
        const auto r = qv::startDesktopEntry(file);
        EXPECT_FALSE(r.started) << qPrintable(messageStart);
        EXPECT_TRUE(r.message.startsWith(messageStart)) << r.message.toStdString();
        // An entry started afterwards has run: a wrong start would have been recorded by now.
        ASSERT_TRUE(
            qv::startDesktopEntry(world.writeEntry("late.desktop", "Type=Application\nExec=late\n"))
                .started);
        EXPECT_EQ(world.argsOf("late"), QStringList());
        EXPECT_FALSE(world.hasRecord("rec")) << qPrintable(messageStart);
        EXPECT_FALSE(world.hasRecord("xdg-open")) << qPrintable(messageStart);
    }
}

// A folder name that a shell would run: the location is one whole argument, and an entry that
// puts it inside a quoted command line is refused before anything starts.
TEST(DesktopEntryStart, AHostileFolderNameIsOneArgumentAndNeverQuotedAgain) {
    for (const char* name :
         {"q\"x;rec PWNED;\"", "$(rec PWNED)", "`rec PWNED`", "a'b;rec PWNED;'c", "100%c%%k"}) {
        XdgWorld world;
        world.addRecorder("rec");
        const QString folder = QString::fromUtf8(name);
        const auto refused = qv::startDesktopEntry(world.writeEntry(
            folder + "/quoted.desktop", "Type=Application\nExec=sh -c \"rec %k\"\n"));
        EXPECT_FALSE(refused.started) << name;
        EXPECT_TRUE(refused.message.contains("puts %k inside quotes")) << name;
        const QString whole =
            world.writeEntry(folder + "/whole.desktop", "Type=Application\nExec=rec %k\n");
        ASSERT_TRUE(qv::startDesktopEntry(whole).started) << name;
        EXPECT_EQ(world.argsOf("rec"), QStringList{whole}) << name;
    }
}

// --- bare executables ------------------------------------------------------------------------

TEST(Executable, StartsDirectlyByItsFullPathOrIsRefused) {
    XdgWorld world;
    const QString program = world.addRecorder("tool");
    const auto r = qv::startExecutable(program);
    ASSERT_TRUE(r.started) << r.message.toStdString();
    EXPECT_EQ(world.argsOf("tool"), QStringList());
    const QString plain = world.writeFile("bin/plain", "#!/bin/sh\n", false);
    EXPECT_EQ(qv::startExecutable(plain).message,
              "\"plain\" cannot be started: it is not a program file that can be run.");
    EXPECT_FALSE(qv::startExecutable(world.root()).started);
    for (const QString& no : {world.root(), plain, QString()}) {
        EXPECT_FALSE(qv::isExecutableFile(no)) << qPrintable(no);
    }
}

TEST(Executable, ApplicationFoldersFollowTheXdgVariables) {
    XdgWorld world;
    EXPECT_EQ(qv::applicationFolders(),
              QStringList({world.home() + "/applications", world.data() + "/applications",
                           world.data2() + "/applications"}));
    qputenv("XDG_DATA_DIRS", "relative/share:" + world.data().toUtf8() + "::");
    EXPECT_EQ(qv::applicationFolders(),
              QStringList({world.home() + "/applications", world.data() + "/applications"}));
    qputenv("XDG_DATA_DIRS", "");
    qputenv("XDG_DATA_HOME", "");
    EXPECT_EQ(qv::applicationFolders(),
              QStringList({QDir::homePath() + "/.local/share/applications",
                           "/usr/local/share/applications", "/usr/share/applications"}));
}

TEST(Executable, IconComesFromTheEntryWhoseExecNamesItElseTheGenericIcon) {
    XdgWorld world;
    world.addThemeIcon("qvtest-byname", blue);
    world.addThemeIcon("qvtest-bypath", green);
    const QString byName = world.addRecorder("calc");
    const QString byPath = world.writeFile("opt/clock", "#!/bin/sh\n", true);
    // Mentions "calc" but runs something else: must not count.
    world.writeEntry("aaa.desktop", "Type=Application\nExec=calculator calc\nIcon=qvtest-bypath\n");
    world.writeEntry("sub/calc.desktop", "Type=Application\nExec=calc %f\nIcon=qvtest-byname\n");
    world.writeEntry("clock.desktop",
                     "Type=Application\nExec=\"" + byPath.toUtf8() + "\" -x\nIcon=qvtest-bypath\n",
                     world.data2());
    EXPECT_EQ(qv::findDesktopEntryForExecutable(byName),
              world.data() + "/applications/sub/calc.desktop");
    EXPECT_TRUE(isColour(qv::executableIcon(byName), 16, 16, blue));
    EXPECT_EQ(qv::findDesktopEntryForExecutable(byPath),
              world.data2() + "/applications/clock.desktop");
    EXPECT_TRUE(isColour(qv::executableIcon(byPath), 16, 16, green));

    // No entry: the user's hidden copy hides the system's, and an entry's program of the same
    // name that PATH resolves to another file is another program.
    const QString hidden = world.addRecorder("hid");
    world.writeEntry("hid.desktop", "Type=Application\nExec=hid\nIcon=qvtest-byname\n");
    world.writeEntry("hid.desktop", "Type=Application\nExec=hid\nIcon=qvtest-byname\nHidden=true\n",
                     world.home());
    const QString tool = world.writeFile("opt/tool", "#!/bin/sh\n", true);
    world.addRecorder("tool");
    world.writeEntry("tool.desktop", "Type=Application\nExec=tool\nIcon=qvtest-byname\n");
    ASSERT_EQ(qv::genericExecutableIcon().size(), QSize(32, 32));
    for (const QString& program : {hidden, tool, world.root() + "/none"}) {
        EXPECT_TRUE(qv::findDesktopEntryForExecutable(program).isEmpty()) << qPrintable(program);
        EXPECT_EQ(qv::executableIcon(program), qv::genericExecutableIcon()) << qPrintable(program);
    }
}

TEST(Executable, FaceIsTheEntrysIconElseTheThemeIconOfItsNameElseTheGenericOne) {
    XdgWorld world;
    world.addThemeIcon("qvtest-entry", blue);
    struct Case {
        const char* program;
        QByteArray entryIcon;            // the Icon of an entry running the program; none when ""
        std::optional<QColor> themeIcon; // a theme icon of the program's name
        std::optional<QColor> face;      // none: the generic icon
    };
    const Case cases[] = {
        {"withentry", "qvtest-entry", red, blue}, // the entry wins over the theme
        {"entrynoicon", "qvtest-missing", green, green},
        {"themed", "", green, green},
        {"plain", "", std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        world.addRecorder(c.program);
        if (!c.entryIcon.isEmpty()) {
            world.writeEntry(QString::fromLatin1(c.program) + ".desktop",
                             "Type=Application\nExec=" + QByteArray(c.program) +
                                 "\nIcon=" + c.entryIcon + "\n");
        }
        if (c.themeIcon) {
            world.addThemeIcon(c.program, *c.themeIcon);
        }
    }
    for (const Case& c : cases) {
        const QImage face = qv::executableIcon(world.bin() + "/" + c.program);
        if (c.face) {
            EXPECT_TRUE(isColour(face, 16, 16, *c.face)) << c.program;
        } else {
            EXPECT_EQ(face, qv::genericExecutableIcon()) << c.program;
        }
    }
}

TEST(LaunchExec, FillsTheLocationAndTheTerminal) {
    const QString term = "/usr/bin/x-terminal-emulator";
    const std::tuple<const char*, bool, QString, const char*> cases[] = {
        {"tool %f", false, "", "tool %f"},
        {"tool --from %k", false, "", R"(tool --from "/apps/My \"Tool\" \$1.desktop")"},
        {"tool 100%%k %%", false, "", "tool 100%%k %%"},
        {"tool %", false, "", "tool %"},
        {"top -d 2", true, term, "\"/usr/bin/x-terminal-emulator\" -e top -d 2"},
        {"top", false, term, "top"},
        {"top", true, "", "top"}, // the terminal left to GLib
    };
    for (const auto& [exec, terminal, terminalProgram, expected] : cases) {
        DesktopEntry e;
        e.exec = QString::fromUtf8(exec);
        e.terminal = terminal;
        EXPECT_EQ(qv::launchExec(e, "/apps/My \"Tool\" $1.desktop", terminalProgram), expected)
            << exec;
    }
}

} // namespace
