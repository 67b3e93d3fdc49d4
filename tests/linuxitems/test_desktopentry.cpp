// Desktop entries read, localized, drawn and started through the real GLib backend, in a private
// XDG world whose programs are fakes that record how they were started.
#include "platform/desktopentry.h"
#include "tests/linuxitems/fixture.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using qv::DesktopEntry;
using qvtest::XdgWorld;

namespace {

const QColor blue(0, 0, 255);
const QColor red(255, 0, 0);
const QColor green(0, 255, 0);

QByteArray entry(const QByteArray& body) {
    return "[Desktop Entry]\n" + body;
}

// --- reading ---------------------------------------------------------------------------------

TEST(DesktopEntryRead, BrokenMissingAndHugeFilesAreRefusedWithAReason) {
    XdgWorld world;
    const QByteArray broken[] = {"",
                                 "[Other]\nName=x\n",
                                 "Name=x\nExec=y\n",
                                 "[Desktop Entry]\nthis is no key\n",
                                 "[Desktop Entry\nName=x\n",
                                 QByteArray("\x7f"
                                            "ELF\x02\x01\x01\0\0\0",
                                            10),
                                 entry("Name=x\n") + QByteArray(2 << 20, '#')};
    QStringList files = {world.root() + "/none.desktop"};
    for (const QByteArray& bytes : broken) {
        files << world.writeFile(QString::number(files.size()) + ".desktop", bytes);
    }
    for (const QString& file : files) {
        QString error;
        EXPECT_FALSE(qv::readDesktopEntry(file, &error).has_value()) << qPrintable(file);
        EXPECT_FALSE(error.isEmpty()) << qPrintable(file);
    }
}

TEST(DesktopEntryCaption, FallsBackToTheFileName) {
    XdgWorld world;
    const QString broken = world.writeFile("apps/Broken Tool.desktop", "garbage");
    EXPECT_EQ(qv::desktopEntryCaption(broken), "Broken Tool");
    const QString nameless =
        world.writeFile("apps/nameless.desktop", entry("Type=Application\nExec=x\n"));
    EXPECT_EQ(qv::desktopEntryCaption(nameless), "nameless");
    EXPECT_EQ(qv::desktopEntryCaption(world.root() + "/missing.desktop"), "missing");
}

TEST(DesktopEntryRead, ExecProgramIsTheFirstWordUnquoted) {
    const std::pair<const char*, const char*> table[] = {
        {"xcalc", "xcalc"},
        {"/usr/bin/xterm -e top", "/usr/bin/xterm"},
        {"\"/opt/My App/run\" %U", "/opt/My App/run"},
        {"  gimp %f  ", "gimp"},
        {"\"unterminated", ""},
        {"", ""},
        {"   ", ""}};
    for (const auto& [exec, program] : table) {
        EXPECT_EQ(qv::execProgram(QString::fromUtf8(exec)), QString::fromUtf8(program)) << exec;
    }
}

// --- refusals --------------------------------------------------------------------------------

// The refusal of a field code inside quotes or a comment, for that code.
QString inQuotes(const char* code) {
    return QStringLiteral("\"Tool\" cannot be started: the command of its desktop entry puts %1 "
                          "inside quotes (or a comment), which desktop entries must not do: a file "
                          "or folder name in its place could run as a command.")
        .arg(QLatin1String(code));
}

TEST(DesktopEntryRefusal, SaysWhyOrNothing) {
    const QString notStartable = "\"Tool\" cannot be started: ";
    const QString onlyApps = ", and only applications and links can be started.";
    const struct {
        const char* what;
        QByteArray body;
        QString expected; // empty: the entry may be started
    } cases[] = {
        {"application", "Type=Application\nExec=tool\n", ""},
        {"link", "Type=Link\nURL=https://example.org/\n", ""},
        {"hidden", "Type=Application\nExec=tool\nHidden=true\n",
         notStartable + "its desktop entry is marked as hidden."},
        {"nodisplay", "Type=Application\nExec=tool\nNoDisplay=true\n",
         notStartable + "its desktop entry is marked not to be shown in menus."},
        {"directory", "Type=Directory\nName=Games\n",
         notStartable + "it is a desktop entry of type \"Directory\"" + onlyApps},
        {"no type", "Exec=tool\n",
         notStartable + "it is a desktop entry without a type" + onlyApps},
        {"type in other case", "Type=application\nExec=tool\n",
         notStartable + "it is a desktop entry of type \"application\"" + onlyApps},
        {"no exec", "Type=Application\nName=Tool\n",
         notStartable + "its desktop entry names no program."},
        {"blank exec", "Type=Application\nExec=   \n",
         notStartable + "its desktop entry names no program."},
        {"bad quoting", "Type=Application\nExec=\"tool\n",
         notStartable + "the command of its desktop entry cannot be read."},
        {"link without url", "Type=Link\nName=Site\n",
         notStartable + "its desktop entry names no address."},
        {"field code in double quotes", "Type=Application\nExec=sh -c \"echo %k\"\n",
         inQuotes("%k")},
        {"field code in single quotes", "Type=Application\nExec=sh -c 'cat %f'\n", inQuotes("%f")},
        {"field code in a comment", "Type=Application\nExec=tool #%k\n", inQuotes("%k")},
        // GLib sees a comment after an escaped blank, and after a code that leaves nothing.
        {"comment after an escaped blank", "Type=Application\nExec=tool\\\\ #%k\n", inQuotes("%k")},
        {"comment after an empty code", "Type=Application\nExec=tool %f#%k\n", inQuotes("%k")},
        {"hash inside a word is no comment", "Type=Application\nExec=tool a#b %k \"c\"#%k\n", ""},
        // GLib expands the codes before it splits the line: the backslash then escapes the quote.
        {"quote escaped across an empty code", "Type=Application\nExec=tool \"a\\\\%z\" %k \"b\"\n",
         inQuotes("%k")},
        {"backslash in single quotes is literal", "Type=Application\nExec=tool 'a\\\\' %k\n", ""},
        {"literal percent in quotes and codes outside",
         "Type=Application\nExec=tool \"100%% \\\\\" x\" %c --at=%k %U\n", ""},
    };
    for (const auto& c : cases) {
        const auto e = qv::parseDesktopEntry(entry(c.body));
        ASSERT_TRUE(e.has_value()) << c.what;
        EXPECT_EQ(qv::desktopEntryRefusal(*e, QStringLiteral("Tool")), c.expected) << c.what;
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
    const QString file =
        world.writeEntry(world.data(), "calc.desktop",
                         entry("Type=Application\nName=C\nIcon=qvtest-calc\nExec=c\n"));
    const QImage img = qv::desktopEntryIcon(file);
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.size(), QSize(32, 32));
    EXPECT_TRUE(img.hasAlphaChannel());
    EXPECT_TRUE(isColour(img, 16, 16, blue));
    EXPECT_EQ(img.pixelColor(0, 0).alpha(), 0);
    // A theme name written with an extension is still found.
    EXPECT_TRUE(isColour(qv::iconImage("qvtest-calc.png"), 16, 16, blue));
    // A missing icon: the generic program icon for applications, none for the rest.
    const QString app = world.writeEntry(world.data(), "a.desktop",
                                         entry("Type=Application\nExec=a\nIcon=qvtest-nothing\n"));
    const QImage generic = qv::genericExecutableIcon();
    ASSERT_FALSE(generic.isNull());
    EXPECT_EQ(qv::desktopEntryIcon(app), generic);
    const QString dir = world.writeEntry(world.data(), "d.desktop", entry("Type=Directory\n"));
    EXPECT_TRUE(qv::desktopEntryIcon(dir).isNull());
    EXPECT_TRUE(qv::desktopEntryIcon(world.writeFile("junk.desktop", "junk")).isNull());
    EXPECT_TRUE(qv::iconImage(world.root() + "/no-such.png").isNull());
    EXPECT_TRUE(qv::iconImage("").isNull());
}

// A 64 picture is halved (its red middle spans 8..24); a 16 one is centred (12..20).
TEST(DesktopEntryIcon, APictureIsFittedInto32KeepingTransparency) {
    const struct {
        int size;
        int insideX, insideY;
        int outside;
    } cases[] = {{64, 9, 23, 4}, {32, 8, 23, 4}, {16, 13, 19, 10}};
    for (const auto& c : cases) {
        XdgWorld world;
        const QString pic = world.writePicture("pics/p.png", c.size, red);
        const QString file = world.writeEntry(
            world.data(), "p.desktop",
            entry("Type=Application\nName=P\nExec=p\nIcon=" + pic.toUtf8() + "\n"));
        const QImage img = qv::desktopEntryIcon(file);
        ASSERT_EQ(img.size(), QSize(32, 32)) << c.size;
        EXPECT_TRUE(isColour(img, c.insideX, c.insideY, red)) << c.size;
        EXPECT_EQ(img.pixelColor(c.outside, c.outside).alpha(), 0) << c.size;
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
        world.data(), "rec.desktop",
        entry("Type=Application\nName=Recorder\nName[de]=Rekorder\nIcon=qvtest-rec\nPath=" +
              work.toUtf8() +
              "\n"
              "Exec=rec -f %f -F %F -u %u -U %U %i --name %c --at %k 100%% $HOME a;b >out "
              "\"two words\" \"say \\\\\"hi\\\\\"\"\n"));
    const auto r = qv::startDesktopEntry(file);
    ASSERT_TRUE(r.started) << r.message.toStdString();
    const auto rec = world.waitForRecord("rec");
    ASSERT_TRUE(rec.has_value());
    const QStringList expected = {
        "-f",   "-F", "-u",   "-U",    "--icon", "qvtest-rec", "--name",    "Rekorder",
        "--at", file, "100%", "$HOME", "a;b",    ">out",       "two words", "say \"hi\""};
    EXPECT_EQ(rec->args, expected);
    EXPECT_EQ(rec->workingDirectory, work);
    EXPECT_FALSE(QFileInfo::exists(work + "/out"));
}

TEST(DesktopEntryStart, TerminalEntriesPreferTheConfiguredTerminalThenXterm) {
    const struct {
        QStringList terminals;
        const char* used; // empty: no terminal, the start is refused
    } table[] = {
        {{"x-terminal-emulator", "xterm"}, "x-terminal-emulator"}, {{"xterm"}, "xterm"}, {{}, ""}};
    for (const auto& row : table) {
        XdgWorld world;
        for (const QString& t : row.terminals) {
            world.addRecorder(t);
        }
        world.addRecorder("top");
        const QString file =
            world.writeEntry(world.data(), "top.desktop",
                             entry("Type=Application\nName=Top\nExec=top -d 2\nTerminal=true\n"));
        const auto r = qv::startDesktopEntry(file);
        if (!*row.used) {
            EXPECT_FALSE(r.started);
            EXPECT_TRUE(r.message.startsWith("\"Top\" could not be started: "))
                << r.message.toStdString();
            EXPECT_FALSE(world.hasRecord("top"));
            continue;
        }
        ASSERT_TRUE(r.started) << row.used;
        const auto rec = world.waitForRecord(row.used);
        ASSERT_TRUE(rec.has_value()) << row.used;
        EXPECT_EQ(rec->args, QStringList({"-e", "top", "-d", "2"}));
        EXPECT_FALSE(world.hasRecord("top"));
        EXPECT_FALSE(world.hasRecord("xterm") && QString(row.used) != "xterm");
    }
}

TEST(DesktopEntryStart, LinksOpenTheirAddress) {
    XdgWorld world;
    world.addRecorder("xdg-open");
    const QString file = world.writeEntry(
        world.data(), "site.desktop", entry("Type=Link\nName=Site\nURL=https://example.org/a b\n"));
    ASSERT_TRUE(qv::startDesktopEntry(file).started);
    const auto rec = world.waitForRecord("xdg-open");
    ASSERT_TRUE(rec.has_value());
    EXPECT_EQ(rec->args, QStringList({"https://example.org/a b"}));
}

TEST(DesktopEntryStart, RefusedOrFailedStartsRunNothingAndSayWhy) {
    const struct {
        QByteArray text; // empty: no file at all
        const char* messageStart;
    } table[] = {
        {entry("Type=Application\nName=Rec\nExec=rec\nHidden=true\n"),
         "\"Rec\" cannot be started: its desktop entry is marked as hidden."},
        {"not a desktop entry at all\n",
         "\"item.desktop\" cannot be started: it is not a readable desktop entry"},
        {{}, "\"item.desktop\" cannot be started: it is not a readable desktop entry"},
        {entry("Type=Application\nName=Rec\nExec=rec\nTryExec=qvtest-absent\n"),
         R"("Rec" cannot be started: the program "qvtest-absent" is not installed.)"},
        {entry("Type=Application\nName=Rec\nExec=absent\n"),
         R"("Rec" cannot be started: the program "absent" is not installed.)"},
        {entry("Type=Application\nName=Rec\nExec=rec\nPath=/nonexistent-qv/gone\n"),
         "\"Rec\" could not be started: "},
    };
    for (const auto& row : table) {
        XdgWorld world;
        world.addRecorder("rec");
        world.addRecorder("xdg-open");
        world.addRecorder("late");
        const QString file = row.text.isEmpty()
                                 ? world.root() + "/item.desktop"
                                 : world.writeEntry(world.data(), "item.desktop", row.text);
        const auto r = qv::startDesktopEntry(file);
        EXPECT_FALSE(r.started) << row.messageStart;
        EXPECT_TRUE(r.message.startsWith(QString::fromUtf8(row.messageStart)))
            << r.message.toStdString();
        // An entry started afterwards has run: a wrong start would have been recorded by now.
        ASSERT_TRUE(qv::startDesktopEntry(world.writeEntry(world.data(), "late.desktop",
                                                           entry("Type=Application\nExec=late\n")))
                        .started);
        EXPECT_TRUE(world.waitForRecord("late").has_value());
        EXPECT_FALSE(world.hasRecord("rec")) << row.messageStart;
        EXPECT_FALSE(world.hasRecord("xdg-open")) << row.messageStart;
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
        const QString quoted =
            world.writeEntry(world.data(), folder + "/quoted.desktop",
                             entry("Type=Application\nName=Q\nExec=sh -c \"rec %k\"\n"));
        const auto refused = qv::startDesktopEntry(quoted);
        EXPECT_FALSE(refused.started) << name;
        EXPECT_TRUE(refused.message.contains("puts %k inside quotes")) << name;
        const QString whole = world.writeEntry(world.data(), folder + "/whole.desktop",
                                               entry("Type=Application\nName=W\nExec=rec %k\n"));
        ASSERT_TRUE(qv::startDesktopEntry(whole).started) << name;
        const auto rec = world.waitForRecord("rec");
        ASSERT_TRUE(rec.has_value()) << name;
        EXPECT_EQ(rec->args, QStringList{whole}) << rec->args.join(QLatin1Char('|')).toStdString();
    }
}

// --- bare executables ------------------------------------------------------------------------

TEST(Executable, StartsDirectlyByItsFullPathOrIsRefused) {
    XdgWorld world;
    const QString program = world.addRecorder("tool");
    // A program of the same name earlier in PATH must not be the one started.
    world.addRecorder("other");
    const auto r = qv::startExecutable(program);
    ASSERT_TRUE(r.started) << r.message.toStdString();
    const auto rec = world.waitForRecord("tool");
    ASSERT_TRUE(rec.has_value());
    EXPECT_TRUE(rec->args.isEmpty());
    const QString plain = world.writeFile("bin/plain", "#!/bin/sh\n", false);
    const auto refused = qv::startExecutable(plain);
    EXPECT_FALSE(refused.started);
    EXPECT_EQ(refused.message,
              "\"plain\" cannot be started: it is not a program file that can be run.");
    EXPECT_FALSE(qv::startExecutable(world.root()).started);
    EXPECT_FALSE(qv::isExecutableFile(world.root()));
    EXPECT_FALSE(qv::isExecutableFile(plain));
    EXPECT_FALSE(qv::isExecutableFile(""));
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
    world.writeEntry(world.data(), "aaa.desktop",
                     entry("Type=Application\nExec=calculator calc\nIcon=qvtest-bypath\n"));
    world.writeEntry(world.data(), "sub/calc.desktop",
                     entry("Type=Application\nExec=calc %f\nIcon=qvtest-byname\n"));
    world.writeEntry(
        world.data2(), "clock.desktop",
        entry("Type=Application\nExec=\"" + byPath.toUtf8() + "\" -x\nIcon=qvtest-bypath\n"));
    EXPECT_EQ(qv::findDesktopEntryForExecutable(byName),
              world.data() + "/applications/sub/calc.desktop");
    EXPECT_TRUE(isColour(qv::executableIcon(byName), 16, 16, blue));
    EXPECT_EQ(qv::findDesktopEntryForExecutable(byPath),
              world.data2() + "/applications/clock.desktop");
    EXPECT_TRUE(isColour(qv::executableIcon(byPath), 16, 16, green));

    // No entry: the user's hidden copy hides the system's, and an entry's program of the same
    // name that PATH resolves to another file is another program.
    const QString hidden = world.addRecorder("hid");
    world.writeEntry(world.data(), "hid.desktop",
                     entry("Type=Application\nExec=hid\nIcon=qvtest-byname\n"));
    world.writeEntry(world.home(), "hid.desktop",
                     entry("Type=Application\nExec=hid\nIcon=qvtest-byname\nHidden=true\n"));
    const QString tool = world.writeFile("opt/tool", "#!/bin/sh\n", true);
    world.addRecorder("tool");
    world.writeEntry(world.data(), "tool.desktop",
                     entry("Type=Application\nExec=tool\nIcon=qvtest-byname\n"));
    ASSERT_EQ(qv::genericExecutableIcon().size(), QSize(32, 32));
    for (const QString& program : {hidden, tool, world.root() + "/none"}) {
        EXPECT_TRUE(qv::findDesktopEntryForExecutable(program).isEmpty()) << qPrintable(program);
        EXPECT_EQ(qv::executableIcon(program), qv::genericExecutableIcon()) << qPrintable(program);
    }
}

TEST(LaunchExec, FillsTheLocationAndTheTerminal) {
    const struct {
        const char* exec;
        bool terminal;
        const char* terminalProgram;
        const char* expected;
    } cases[] = {
        {"tool %f", false, "", "tool %f"},
        {"tool --from %k", false, "", R"(tool --from "/apps/My \"Tool\" \$1.desktop")"},
        {"tool 100%%k %%", false, "", "tool 100%%k %%"},
        {"tool %", false, "", "tool %"},
        {"top -d 2", true, "/usr/bin/x-terminal-emulator",
         "\"/usr/bin/x-terminal-emulator\" -e top -d 2"},
        {"top", false, "/usr/bin/x-terminal-emulator", "top"},
        {"top", true, "", "top"}, // the terminal left to GLib
    };
    for (const auto& c : cases) {
        DesktopEntry e;
        e.exec = QString::fromUtf8(c.exec);
        e.terminal = c.terminal;
        EXPECT_EQ(qv::launchExec(e, QStringLiteral("/apps/My \"Tool\" $1.desktop"),
                                 QString::fromUtf8(c.terminalProgram)),
                  QString::fromUtf8(c.expected))
            << c.exec;
    }
}

} // namespace
