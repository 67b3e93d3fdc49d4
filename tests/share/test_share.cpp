// A classroom on a real file server: the editor's changes made through one mount of a Samba
// share, launchers reading through another mount of it (test_share.sh starts both).
#include "common/menulayout.h"
#include "common/modini.h"
#include "platform/messagebox.h"
#include "tests/reliability/editscript.h"
#include "tests/support/testutil.h"

#include <QDir>
#include <QProcess>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

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
        QDir server(env("QV_SHARE_SERVER"));
        for (const QString& name : server.entryList(QDir::Files | QDir::Hidden)) {
            server.remove(name);
        }
    }

    // The same file as the editor's machine, a pupil's machine and the server see it.
    static QString editor() { return env("QV_SHARE_A") + QStringLiteral("/qv.ini"); }
    static QString pupil() { return env("QV_SHARE_B") + QStringLiteral("/qv.ini"); }
    static QString server() { return env("QV_SHARE_SERVER") + QStringLiteral("/qv.ini"); }

    static QStringList serverFiles() {
        return QDir(env("QV_SHARE_SERVER"))
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

    qv::ScopedFakeMessageBox messages;
};

TEST_F(Share, PupilsSeeOnlyWholeMenusAndEveryChangeAtTheirNextRead) {
    ASSERT_TRUE(qvtest::writeAll(server(), qvrel::churnMenu()));
    QProcess readers[3];
    for (QProcess& r : readers) {
        // Each reads the whole menu ten times a second: busier than a class turning pages.
        ASSERT_TRUE(qvrel::startHelper(r, {"read", pupil(), "churn", "100"}));
    }
    int stale = 0;
    for (int i = 1; i <= 80; ++i) {
        const bool count = i % 10 == 0;
        const QString key = count ? qv::kNumberOfButtonsWrite : qv::buttonKey(i % 14 + 1);
        const QString value =
            count ? QString::number(10 + (i / 10) % 5) : qvrel::itemValue(1, i % 14 + 1, i);
        ASSERT_EQ(qv::WriteKey(editor(), qv::tabSection(1), key, value), 1)
            << "change " << i << ": " << qPrintable(messages.fake.messages.back().text);
        stale += qv::ReadKey(pupil(), qv::tabSection(1), key).value_or("") != value ? 1 : 0;
    }
    EXPECT_EQ(stale, 0) << "changes not seen by the pupil's machine at its next read";
    // A menu being replaced can fail to open on the other machine for seconds; the read waits
    // for it rather than tell a pupil that the menu is missing: no read found it missing, torn
    // or with a count never written.
    for (QProcess& r : readers) {
        EXPECT_GT(qvrel::stopReader(r), 5);
    }
    EXPECT_TRUE(messages.fake.messages.empty());
}

TEST_F(Share, KilledEditorLeavesNoTemporaryFileOnTheShare) {
    ASSERT_TRUE(qvtest::writeAll(server(), qvrel::initialMenu()));
    int progressed = 0;
    for (int round = 0; round < 12; ++round) {
        QProcess child;
        ASSERT_TRUE(
            qvrel::startHelper(child, {"edit", editor(), QString::number(20261208 + round)}));
        // Killed after 0 to 3 finished calls, most often in the middle of the next one.
        for (int calls = 0; calls < round % 4; ++calls) {
            ASSERT_TRUE(qvrel::waitForByte(child, '.', 30000)) << "round " << round;
        }
        progressed += round % 4 > 0 ? 1 : 0;
        child.kill();
        ASSERT_TRUE(child.waitForFinished(10000));
        EXPECT_TRUE(
            qv::parseCount(qv::ReadKey(pupil(), qv::kSettings, qv::kNumberOfTabs).value_or(""))
                .isNumber())
            << "round " << round;
    }
    ASSERT_GT(progressed, 0);
    // The next change by the editor's machine clears whatever the killed writers left.
    qvrel::EditScript(editor(), 1, {}).addButton(1);
    EXPECT_EQ(serverFiles(), QStringList{"qv.ini"});
    EXPECT_TRUE(messages.fake.messages.empty());
}

bool setImmutable(const QString& folder, bool on) {
    const int fd = ::open(folder.toLocal8Bit().constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    int flags = 0;
    const bool done = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 &&
                      (flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL,
                       ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0);
    if (fd >= 0) {
        ::close(fd);
    }
    return done;
}

// Either way the change is refused with the module's message, and the menu stays as it was.
void expectRefusedAndUnchanged(const QString& path, const QString& server,
                               const qv::FakeMessageBox& box) {
    const QByteArray before = qvtest::readAll(server);
    ASSERT_FALSE(before.isEmpty());
    EXPECT_EQ(qv::WriteKey(path, qv::tabSection(1), qv::kNumberOfButtonsWrite, "4"), 0);
    ASSERT_FALSE(box.messages.empty());
    EXPECT_TRUE(box.messages.back().text.endsWith(
        "could not be saved; the file was left as it was. ~(WriteKey)"))
        << qPrintable(box.messages.back().text);
    EXPECT_EQ(qvtest::readAll(server), before);
}

TEST_F(Share, ShareTurnedReadOnlyMidEditLeavesTheMenu) {
    ASSERT_TRUE(qvtest::writeAll(server(), qvrel::initialMenu()));
    // The first half of adding a button goes through, then the server refuses writes.
    ASSERT_EQ(qv::WriteKey(editor(), qv::tabSection(1), qv::buttonKey(4), "/srv/new.exe"), 1);
    // The server works as root, so only an immutable folder stops its writes.
    if (!setImmutable(env("QV_SHARE_SERVER"), true)) {
        GTEST_SKIP() << "the server's file system cannot make a folder read-only";
    }
    expectRefusedAndUnchanged(editor(), server(), messages.fake);
    ASSERT_TRUE(setImmutable(env("QV_SHARE_SERVER"), false));
    EXPECT_EQ(serverFiles(), QStringList{"qv.ini"});
}

// Last: the server does not come back.
TEST_F(Share, ServerGoneMidEditLeavesTheMenu) {
    ASSERT_TRUE(qvtest::writeAll(server(), qvrel::initialMenu()));
    ASSERT_EQ(qv::WriteKey(editor(), qv::tabSection(1), qv::buttonKey(4), "/srv/new.exe"), 1);
    const pid_t group = env("QV_SHARE_SMBD").toInt();
    ASSERT_GT(group, 1);
    ASSERT_EQ(::kill(-group, SIGKILL), 0);
    expectRefusedAndUnchanged(editor(), server(), messages.fake);
    EXPECT_EQ(serverFiles(), QStringList{"qv.ini"});
}

} // namespace
