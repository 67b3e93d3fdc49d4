// SPDX-License-Identifier: GPL-3.0-or-later
// A classroom on a real file server: the editor's changes made through one mount of a Samba
// share, launchers reading through another mount of it (test_share.sh starts both).
#include "tests/support/editscript.h"
#include "tests/support/testutil.h"

#include <QCoreApplication>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

namespace {

QString env(const char* name) {
    return qEnvironmentVariable(name);
}

class Share : public ::testing::Test {
protected:
    void SetUp() override {
        if (env("QV_SHARE_A").isEmpty() || env("QV_SHARE_B").isEmpty()) {
            GTEST_SKIP() << "run through test_share.sh, which mounts the share";
        }
        for (const QString& name : qvrel::folderEntries(env("QV_SHARE_SERVER"))) {
            QFile::remove(env("QV_SHARE_SERVER") + "/" + name);
        }
        ASSERT_TRUE(qvtest::writeAll(server, qvrel::menu({3, 4, 5})));
    }

    // The first half of adding a button goes through, then the server stops taking writes: the
    // second half is refused with the module's message, and the menu stays as it was.
    void expectRefusedOnceBroken(const std::function<bool()>& breakServer) {
        ASSERT_EQ(qv::WriteKey(editor, tab, qv::buttonKey(4), "/srv/new.exe", messages), 1);
        const QByteArray before = qvtest::readAll(server);
        ASSERT_TRUE(breakServer());
        EXPECT_EQ(qv::WriteKey(editor, tab, qv::kNumberOfButtonsWrite, "4", messages), 0);
        ASSERT_FALSE(messages.messages.empty());
        EXPECT_TRUE(messages.messages.back().text.endsWith(
            "could not be saved; the file was left as it was. ~(WriteKey)"))
            << qPrintable(messages.messages.back().text);
        EXPECT_EQ(qvtest::readAll(server), before);
    }

    // The same file as the editor's machine, a pupil's machine and the server see it.
    const QString editor = env("QV_SHARE_A") + QStringLiteral("/qv.ini");
    const QString pupil = env("QV_SHARE_B") + QStringLiteral("/qv.ini");
    const QString server = env("QV_SHARE_SERVER") + QStringLiteral("/qv.ini");
    const QString tab = qv::tabSection(1);
    qv::FakeMessageBox messages;
};

TEST_F(Share, PupilsSeeOnlyWholeMenusAndEveryChangeAtTheirNextRead) {
    ASSERT_TRUE(qvtest::writeAll(server, qvrel::menu({14})));
    QProcess readers[3];
    for (QProcess& r : readers) {
        // Each reads the whole menu ten times a second: busier than a class turning pages.
        ASSERT_TRUE(qvrel::startHelper(r, {"read", pupil, "100"}));
    }
    int stale = 0;
    for (int i = 1; i <= 80; ++i) {
        const bool count = i % 10 == 0;
        const QString key = count ? qv::kNumberOfButtonsWrite : qv::buttonKey(i % 14 + 1);
        const QString value =
            count ? QString::number(10 + (i / 10) % 5) : qvrel::itemValue(1, i % 14 + 1, i);
        ASSERT_EQ(qv::WriteKey(editor, tab, key, value, messages), 1)
            << "change " << i << ": " << qPrintable(messages.messages.back().text);
        stale += qv::ReadKey(pupil, tab, key, messages).value_or("") != value ? 1 : 0;
    }
    EXPECT_EQ(stale, 0) << "changes not seen by the pupil's machine at its next read";
    // A menu being replaced can fail to open on the other machine for seconds; the read waits
    // for it rather than tell a pupil that the menu is missing: no read found it missing, torn
    // or with a count never written.
    for (QProcess& r : readers) {
        EXPECT_GT(qvrel::stopReader(r), 5);
    }
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(Share, KilledEditorLeavesNoTemporaryFileOnTheShare) {
    int progressed = 0;
    for (int round = 0; round < 12; ++round) {
        QProcess child;
        ASSERT_TRUE(qvrel::startHelper(child, {"edit", editor, QString::number(20261208 + round)}));
        // Killed after 0 to 3 finished calls, most often in the middle of the next one.
        ASSERT_TRUE(qvtest::waitUntil([&] { return child.bytesAvailable() >= round % 4; }, 90000))
            << "round " << round;
        progressed += round % 4 > 0 ? 1 : 0;
        child.kill();
        ASSERT_TRUE(child.waitForFinished(10000));
        EXPECT_TRUE(qv::parseCount(
                        qv::ReadKey(pupil, qv::kSettings, qv::kNumberOfTabs, messages).value_or(""))
                        .isNumber())
            << "round " << round;
    }
    ASSERT_GT(progressed, 0);
    // The next change by the editor's machine clears whatever the killed writers left.
    qvrel::EditScript(editor, 1, messages).addButton(1);
    EXPECT_EQ(qvrel::folderEntries(env("QV_SHARE_SERVER")), QStringList{"qv.ini"});
    EXPECT_TRUE(messages.messages.empty());
}

// The lock is what keeps two machines' changes apart: each machine takes and gives it back as
// fast as it can, and a marker on a local disk, made while the lock is held, is never found made.
TEST_F(Share, TheLockIsHeldByOneMachineAtATime) {
    QTemporaryDir local;
    ASSERT_TRUE(local.isValid());
    const QString racer = QCoreApplication::applicationDirPath() + "/qv_share_lock_racer";
    QProcess machines[2];
    const QString menus[2] = {editor, pupil};
    for (int i = 0; i < 2; ++i) {
        machines[i].start(racer, {menus[i], local.filePath("held"), "150"});
        ASSERT_TRUE(machines[i].waitForStarted());
    }
    for (QProcess& m : machines) {
        ASSERT_TRUE(m.waitForFinished(120000));
        EXPECT_EQ(m.exitCode(), 0) << m.readAllStandardError().constData();
        EXPECT_EQ(m.readAllStandardOutput().trimmed().toStdString(), "overlaps 0");
    }
    EXPECT_EQ(qvrel::folderEntries(env("QV_SHARE_SERVER")), QStringList{"qv.ini"});
}

// Two teachers' editors on two machines, each adding 40 buttons to the same tab at once: the lock
// beside the menu is decided by the server, so every button lands and nothing is left behind.
TEST_F(Share, TwoEditorsOnTwoMachinesLoseNothing) {
    ASSERT_TRUE(qvtest::writeAll(server, qvrel::menu({0})));
    const QString driver = QCoreApplication::applicationDirPath() + "/qv_editor_driver";
    QProcess editors[2];
    const QString mounts[2] = {env("QV_SHARE_A"), env("QV_SHARE_B")};
    for (int i = 0; i < 2; ++i) {
        editors[i].start(driver, {mounts[i], "add", "1", QString(QChar('a' + i)), "40"});
        ASSERT_TRUE(editors[i].waitForStarted());
    }
    QSet<QString> added;
    for (QProcess& e : editors) {
        ASSERT_TRUE(e.waitForFinished(240000));
        // Neither kept the other waiting for long: a lock is given back even while the other
        // machine looks at it.
        EXPECT_FALSE(e.readAllStandardError().contains("being changed by another editor"));
        for (const QString& line : QString::fromUtf8(e.readAllStandardOutput()).split('\n')) {
            if (line.startsWith("added ")) {
                added.insert(line.mid(6));
            }
        }
    }
    EXPECT_EQ(added.size(), 80);
    ASSERT_EQ(qv::ReadKey(server, tab, qv::kNumberOfButtonsRead, messages).value_or(""), "80");
    QSet<QString> stored;
    for (int b = 1; b <= 81; ++b) {
        stored.insert(qv::ReadKey(server, tab, qv::buttonKey(b), messages).value_or(""));
    }
    stored.remove(QString()); // button 81: none
    EXPECT_EQ(stored, added);
    EXPECT_EQ(qvrel::folderEntries(env("QV_SHARE_SERVER")), QStringList{"qv.ini"});
}

// The server works as root, so only an immutable folder stops its writes.
TEST_F(Share, ShareTurnedReadOnlyMidEditLeavesTheMenu) {
    const auto chattr = [](const char* flag) {
        return QProcess::execute("chattr", {flag, env("QV_SHARE_SERVER")}) == 0;
    };
    if (!chattr("+i") || !chattr("-i")) {
        GTEST_SKIP() << "the server's file system cannot make a folder read-only";
    }
    expectRefusedOnceBroken([&] { return chattr("+i"); });
    ASSERT_TRUE(chattr("-i"));
    EXPECT_EQ(qvrel::folderEntries(env("QV_SHARE_SERVER")), QStringList{"qv.ini"});
}

// Last: the server does not come back.
TEST_F(Share, ServerGoneMidEditLeavesTheMenu) {
    expectRefusedOnceBroken([] {
        const pid_t group = env("QV_SHARE_SMBD").toInt();
        return group > 1 && ::kill(-group, SIGKILL) == 0;
    });
    EXPECT_EQ(qvrel::folderEntries(env("QV_SHARE_SERVER")), QStringList{"qv.ini"});
}

} // namespace
