// SPDX-License-Identifier: GPL-3.0-or-later
// Menus frozen by an IT person the ways only root can: an immutable file and a read-only bind
// mount. The editor shows them read-only and never changes a byte. Skipped where the test may
// not freeze files (no root, a file system without the flag, no mount rights).
#include "platform/dialogs/messagebox.h"
#include "teach/frmdrop.h"
#include "tests/support/testutil.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

const QByteArray kMenu = "[Settings]\r\nNumber of tabs=1\r\nTab1=A\r\n[Tab 1]\r\n"
                         "Number of Buttons=1\r\nButton 1=/apps/One.exe\r\n";

bool setImmutable(const QString& path, bool on) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return done;
}

class Frozen : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    // Opens the editor on the folder, tries every change, and checks that the menu is unchanged
    // and that the teacher was told it is read-only.
    void expectReadOnly(const QString& folder) {
        const QString ini = folder + "/qv.ini";
        qv::Services services;
        services.messages = &box;
        frmdrop w(services, folder);
        w.Form_Load();
        EXPECT_TRUE(w.windowTitle().endsWith(QStringLiteral(" (read-only)")));
        EXPECT_FALSE(w.cmdaddtab->isEnabled());
        w.cmdaddtab_Click();
        w.cmdremovetab_Click();
        w.cmdapplau_MouseDown(1, Qt::RightButton, {}, 0, 0);
        EXPECT_EQ(qvtest::readAll(ini), kMenu);
        ASSERT_FALSE(box.messages.empty());
        EXPECT_TRUE(box.messages[0].text.contains(QStringLiteral("is read-only for you")));
    }

    QTemporaryDir dir;
    qv::FakeMessageBox box;
};

TEST_F(Frozen, AnImmutableMenu) {
    const QString ini = dir.filePath(QStringLiteral("qv.ini"));
    ASSERT_TRUE(qvtest::writeAll(ini, kMenu));
    if (!setImmutable(ini, true)) {
        GTEST_SKIP() << "this file system or user cannot make a file immutable";
    }
    expectReadOnly(dir.path());
    EXPECT_TRUE(setImmutable(ini, false));
}

TEST_F(Frozen, AMenuOnAReadOnlyMount) {
    ASSERT_TRUE(qvtest::writeAll(dir.filePath(QStringLiteral("qv.ini")), kMenu));
    const QString mounted = dir.filePath(QStringLiteral("ro"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("ro")));
    const QByteArray from = QFile::encodeName(dir.path());
    const QByteArray at = QFile::encodeName(mounted);
    if (::mount(from.constData(), at.constData(), nullptr, MS_BIND, nullptr) != 0) {
        GTEST_SKIP() << "no right to mount here";
    }
    const bool readOnly =
        ::mount(nullptr, at.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
    if (readOnly) {
        expectReadOnly(mounted);
    }
    ::umount2(at.constData(), MNT_DETACH);
    if (!readOnly) {
        GTEST_SKIP() << "the bind mount cannot be made read-only here";
    }
}

} // namespace
