// The real start facility with the two Linux kinds: a desktop entry runs its Exec (not the
// opener), a refused one says why, a bare executable is run directly.
#include "platform/messagebox.h"
#include "platform/shell.h"
#include "tests/linuxitems/fixture.h"

#include <gtest/gtest.h>

namespace {

TEST(ShellLinuxItems, EntriesRunTheirCommandOrSayWhyExecutablesRunDirectly) {
    qvtest::XdgWorld world;
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
