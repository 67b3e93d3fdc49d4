// SPDX-License-Identifier: GPL-3.0-or-later
// Writes that the disk refuses (a read-only or full file system, a folder in the file's place)
// report failure with a message and leave the old file exactly as it was. Each failing step of
// a write and a file gone between calls are checked with the profile module (test_modini).
#include "platform/profile/profile.h"
#include "tests/support/editscript.h"
#include "tests/support/testutil.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>

namespace {

// Runs every change the editor makes against a file that cannot be written; what went wrong,
// or nothing when each was refused with a message and left the file and its folder as they
// were. A text, not test assertions, so that it can also be checked in a child process.
std::string everyChangeRefused(const QString& dir) {
    const QString path = dir + "/qv.ini";
    const QString tab = qv::tabSection(1);
    qv::FakeMessageBox box;
    const std::pair<const char*, std::function<int()>> changes[] = {
        {"WriteKey", [&] { return qv::WriteKey(path, tab, "Button 3", "/usr/bin/x", box); }},
        {"DeleteKey", [&] { return qv::DeleteKey(path, tab, "Button 1", box); }},
        {"DeleteSection", [&] { return qv::DeleteSection(path, tab, box); }},
        {"RenameKeys",
         [&] {
             return qv::RenameKeys(path, tab, {{"Button 2", "Button 9"}, {"Button 1", "Button 2"}},
                                   box);
         }},
        {"RenameSection", [&] { return qv::RenameSection(path, "Tab 1", "Tab 5", box); }},
    };
    const QByteArray before = qvtest::readAll(path);
    const QStringList entries = qvrel::folderEntries(dir);
    for (const auto& [name, change] : changes) {
        box.messages.clear();
        const int result = change();
        const bool said = !box.messages.empty() && !box.messages.back().text.isEmpty();
        const char* why = result != 0 ? " reported a write that did not happen"
                          : !said     ? " failed without a message"
                          : qvtest::readAll(path) != before      ? " changed the old file"
                          : qvrel::folderEntries(dir) != entries ? " left something in the folder"
                                                                 : "";
        if (*why != '\0') {
            return name + std::string(why);
        }
    }
    return {};
}

// A folder holding the menu, on a small file system of its own when this process may mount one
// (root, with the right).
class BadDisks : public ::testing::Test {
protected:
    BadDisks() { QDir().mkpath(dir); }
    bool mount(const char* options) {
        return mounted = ::mount("qvtest", local, "tmpfs", 0, options) == 0;
    }
    void TearDown() override {
        ::chmod(local, 0755);
        if (mounted) {
            ::umount2(local, MNT_DETACH);
        }
    }

    QTemporaryDir tmp;
    const QString dir = tmp.filePath("disk");
    const QString path = dir + "/qv.ini";
    const QByteArray local = QFile::encodeName(dir);
    bool mounted = false;
};

TEST_F(BadDisks, ReadOnlyFolderRefusesEveryChangeAndKeepsTheFile) {
    // The super-user writes into any folder whatever its mode: a read-only mount stops it, and
    // where it may not mount, the check runs in a child without root rights.
    mount("size=1m");
    ASSERT_TRUE(qvtest::writeAll(path, qvrel::menu({2})));
    if (mounted) {
        ASSERT_EQ(::mount("qvtest", local, "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr), 0);
        EXPECT_EQ(everyChangeRefused(dir), "");
        return;
    }
    ASSERT_EQ(::chmod(QFile::encodeName(tmp.path()).constData(), 0755), 0);
    ASSERT_EQ(::chmod(local, 0555), 0);
    EXPECT_TRUE(qvtest::asUnprivileged([&] {
        const std::string why = everyChangeRefused(dir);
        std::fprintf(stderr, "%s\n", why.c_str());
        return why.empty();
    }));
}

TEST_F(BadDisks, FullFileSystemRefusesEveryChangeAndKeepsTheFile) {
    if (!mount("size=64k")) {
        GTEST_SKIP() << "no small file system to fill: " << std::strerror(errno);
    }
    ASSERT_TRUE(qvtest::writeAll(path, qvrel::menu({2})));
    // Fill every block that is left.
    {
        QFile filler(dir + "/filler");
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        const QByteArray block(512, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
        ASSERT_LT(filler.size(), 64 * 1024);
    }
    EXPECT_EQ(everyChangeRefused(dir), "");
}

// A first write that fails at any step, or a folder in place of the file: nothing is written
// into, over or beside it.
TEST_F(BadDisks, NothingIsWrittenOverAFolderOrLeftByAFailedFirstWrite) {
    using qv::profile::WriteStep;
    for (const WriteStep step :
         {WriteStep::OpenTemp, WriteStep::Write, WriteStep::Flush, WriteStep::Rename}) {
        qv::profile::ScopedWriteFailure failure(step);
        qv::FakeMessageBox box;
        EXPECT_EQ(qv::WriteKey(path, "Settings", "Number of tabs", "1", box), 0);
        EXPECT_EQ(box.messages.size(), 1U);
        EXPECT_TRUE(qvrel::folderEntries(dir).isEmpty());
    }
    ASSERT_TRUE(QDir().mkpath(path));
    qv::FakeMessageBox box;
    EXPECT_EQ(qv::WriteKey(path, qv::tabSection(1), "Button 1", "/usr/bin/x", box), 0);
    EXPECT_FALSE(box.messages.empty());
    EXPECT_TRUE(QDir(path).isEmpty());
}

} // namespace
