// Which kind an item is, and the captions, icons and starts of the two Linux kinds, also through
// the start facility; shortcuts, programs and every other item keep their own rules (nothing is
// answered for them here).
#include "common/linuxitems.h"
#include "common/ui/ExtIcon.h"
#include "common/ui/imgicon.h"
#include "platform/desktopentry.h"
#include "platform/messagebox.h"
#include "platform/shell.h"
#include "tests/linuxitems/fixture.h"

#include <gtest/gtest.h>

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
        {"/x/Paint.LNK", false, MenuItemKind::Other},
        {"/x/Paint.EXE", true, MenuItemKind::Other},
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
        {"C:\\Apps\\Paint.exe", none, "Paint"},
        {world.root() + "/notes.txt", none, "notes"},
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
    EXPECT_TRUE(qv::drawLinuxItemIcon(surface, entry));
    EXPECT_EQ(surface.picture().toImage().pixelColor(16, 16), QColor(0, 0, 255));
    EXPECT_EQ(surface.picture().toImage().pixelColor(0, 0).alpha(), 0);
    surface.clearPicture();
    EXPECT_FALSE(qv::drawLinuxItemIcon(surface, world.writeFile("a.lnk", "x")));
    EXPECT_TRUE(surface.picture().isNull());
}

TEST(Start, LinuxKindsStartOrSayWhyOthersAreLeftToTheCaller) {
    XdgWorld world;
    qv::ScopedFakeMessageBox box;
    const QString tool = world.addRecorder("tool");
    EXPECT_EQ(qv::startLinuxItem(tool), std::optional<bool>(true));
    EXPECT_EQ(world.argsOf("tool"), QStringList());
    EXPECT_EQ(qv::startLinuxItem(world.writeFile("Paint.lnk", "x")), std::nullopt);
    EXPECT_EQ(qv::startLinuxItem(world.writeFile("notes.txt", "x")), std::nullopt);
    EXPECT_TRUE(box.fake.messages.empty());
    // A refused start is said in a message.
    EXPECT_EQ(qv::startLinuxItem(world.writeEntry("games.desktop", "Type=Directory\nName=Games\n")),
              std::optional<bool>(false));
    ASSERT_EQ(box.fake.messages.size(), 1U);
    EXPECT_EQ(box.fake.messages[0].text,
              "\"Games\" cannot be started: it is a desktop entry of type \"Directory\", and "
              "only applications and links can be started.");
    EXPECT_EQ(box.fake.messages[0].icon, qv::MsgIcon::Information);
}

// The real start facility with the two Linux kinds: a desktop entry runs its Exec (not the
// opener), a refused one says why, a bare executable is run directly.
TEST(ShellLinuxItems, EntriesRunTheirCommandOrSayWhyExecutablesRunDirectly) {
    XdgWorld world;
    qv::ScopedFakeMessageBox box;
    world.addRecorder("rec");
    world.addRecorder("xdg-open");
    const QString tool = world.addRecorder("tool");
    const QString entry =
        world.writeEntry("rec.desktop", "Type=Application\nName=R\nExec=rec one\n");
    auto shell = qv::createShellService();
    EXPECT_TRUE(shell->ShellExecute(entry));
    EXPECT_EQ(world.argsOf("rec"), QStringList({"one"}));
    EXPECT_TRUE(box.fake.messages.empty());

    const QString refused = world.writeEntry("games.desktop", "Type=Directory\nName=Games\n");
    EXPECT_FALSE(shell->ShellExecute(refused));
    ASSERT_EQ(box.fake.messages.size(), 1U);
    EXPECT_TRUE(box.fake.messages[0].text.startsWith("\"Games\" cannot be started: "));

    // Started last: once it has run, an opener started before it would have been recorded.
    EXPECT_TRUE(shell->ShellExecute(tool));
    EXPECT_EQ(world.argsOf("tool"), QStringList());
    EXPECT_FALSE(world.hasRecord("xdg-open"));
}

} // namespace
