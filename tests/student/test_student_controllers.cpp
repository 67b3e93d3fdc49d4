// SPDX-License-Identifier: GPL-3.0-or-later
// The launcher's own additions on their own, without the window: following qv.ini while it runs,
// and the clock of status panel 1.
#include "common/modini.h"
#include "platform/dialogs/messagebox.h"
#include "student/menufollower.h"
#include "student/statusclock.h"
#include "tests/support/testutil.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QByteArray kMenu = "[Settings]\r\nNumber of tabs=1\r\nTab1=A\r\n";

TEST(StatusClock, TurnsOverJustAfterTheNextMinuteBegins) {
    const std::pair<QTime, int> cases[] = {
        {QTime(9, 0, 0, 0), 60050},
        {QTime(9, 0, 30, 500), 29550},
        {QTime(23, 59, 59, 999), 51},
    };
    for (const auto& [now, ms] : cases) {
        EXPECT_EQ(qv::StatusClock::msUntilNextMinute(now), ms) << now.toString().toStdString();
    }
}

TEST(MenuFollower, SaysWhyAMenuCannotBeShown) {
    QTemporaryDir dir;
    const QString path = dir.filePath("qv.ini");
    const std::pair<const char*, QString> cases[] = {
        {nullptr, QStringLiteral("Error in INI file : File Not Found")},
        {"[Settings]\r\nNumber of tabs=0\r\n", QStringLiteral("Error in INI file : No Tabs Found")},
        {"[Settings]\r\nNumber of tabs=x\r\n", QStringLiteral("Error in INI file : No Tabs Found")},
        {"[Settings]\r\nNumber of tabs=1\r\n", QString()},
    };
    for (const auto& [text, problem] : cases) {
        QFile::remove(path);
        ASSERT_TRUE(text == nullptr || qvtest::writeAll(path, text));
        qv::FakeMessageBox box;
        qv::ShownInAction messages(box);
        qv::MenuFollower follower(
            path, messages, [] {}, nullptr);
        EXPECT_EQ(follower.load(), problem) << (text ? text : "(no file)");
    }
}

// A change is shown; a damaged file keeps the menu shown and is said once, however often its
// folder is touched; a file gone is said once to the actions that would read it.
TEST(MenuFollower, ShowsChangesAndSaysEachDamageOnce) {
    QTemporaryDir dir;
    const QString path = dir.filePath("qv.ini");
    ASSERT_TRUE(qvtest::writeAll(path, kMenu));
    qv::FakeMessageBox box;
    qv::ShownInAction messages(box);
    int shown = 0;
    qv::MenuFollower follower(
        path, messages, [&shown] { ++shown; }, nullptr);
    QList<bool> checked;
    QObject::connect(&follower, &qv::MenuFollower::checked,
                     [&checked](bool rebuilt) { checked << rebuilt; });
    ASSERT_EQ(follower.load(), QString());

    follower.reload(); // a touch of the folder: nothing to read
    EXPECT_EQ(shown, 0);
    EXPECT_TRUE(checked.isEmpty());

    ASSERT_TRUE(qvtest::writeAll(path, kMenu + "Tab2=B\r\n"));
    follower.reload();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(follower.shownMenu(), kMenu + "Tab2=B\r\n");

    ASSERT_TRUE(qvtest::writeAll(path, "[Settings]\r\nNumber of tabs=0\r\n"));
    follower.reload();
    follower.reload();
    EXPECT_EQ(shown, 1);
    ASSERT_EQ(box.messages.size(), 1U);
    EXPECT_EQ(box.messages[0].text, QStringLiteral("Error in INI file : No Tabs Found"));
    EXPECT_EQ(checked, QList<bool>({true, false, false}));

    ASSERT_TRUE(QFile::remove(path));
    EXPECT_TRUE(follower.gone());
    EXPECT_TRUE(follower.gone());
    ASSERT_EQ(box.messages.size(), 2U);
    EXPECT_EQ(box.messages[1].text, QStringLiteral("Error in INI file : File Not Found"));

    ASSERT_TRUE(qvtest::writeAll(path, kMenu + "Tab2=B\r\n"));
    EXPECT_FALSE(follower.gone());
    follower.reload(); // the same menu as shown before the damage: the window stays as it is
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(box.messages.size(), 2U);
    EXPECT_EQ(checked.last(), false);
}

} // namespace
