// SPDX-License-Identifier: GPL-3.0-or-later
// What the editor may do with a menu file (read-only files, links, folders) and the lock that
// makes editors take turns: a live holder makes a change wait and give up, a crashed one does not.
#include "platform/profile/atomicfile.h"
#include "platform/profile/menufile.h"
#include "tests/support/testutil.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using qv::menufile::Access;
using qv::menufile::Lock;
using qv::menufile::LockFailure;

std::string local(const QString& path) {
    return path.toStdString();
}

class MenuFile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        // Others may enter, so that the unprivileged rows can reach their files.
        ASSERT_EQ(::chmod(local(dir.path()).c_str(), 0755), 0);
    }
    QString at(const QString& name) const { return dir.filePath(name); }
    void file(const QString& name, mode_t mode = 0644) {
        ASSERT_TRUE(qvtest::writeAll(at(name), "[Settings]\r\n"));
        ASSERT_EQ(::chmod(local(at(name)).c_str(), mode), 0);
    }
    QTemporaryDir dir;
};

TEST_F(MenuFile, AccessTellsWhatMayBeReplaced) {
    file("plain");
    file("frozen", 0444);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    ASSERT_EQ(::mkfifo(local(at("fifo")).c_str(), 0644), 0);
    ASSERT_TRUE(QFile::link(at("plain"), at("link")));
    ASSERT_TRUE(QFile::link(at("nothing"), at("dangling")));
    ASSERT_TRUE(QFile::link(at("folder"), at("tofolder")));
    const std::pair<const char*, Access> cases[] = {
        {"plain", Access::Writable},        {"missing", Access::Missing},
        {"frozen", Access::ReadOnly},       {"folder", Access::NotRegular},
        {"fifo", Access::NotRegular},       {"link", Access::Writable},
        {"dangling", Access::LinkDangling}, {"tofolder", Access::LinkNotRegular},
    };
    for (const auto& [name, access] : cases) {
        EXPECT_EQ(qv::menufile::accessOf(local(at(name))), access) << name;
    }
    EXPECT_EQ(qv::menufile::realTarget(local(at("link"))), local(at("plain")));
}

// What a user who does not own the files may do (the tests run as root, who may write anything).
TEST_F(MenuFile, AccessForAnotherUser) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to make files of another owner";
    }
    file("root-owned");
    ASSERT_TRUE(QDir(dir.path()).mkdir("shut"));
    file("shut/theirs");
    ASSERT_EQ(::chown(local(at("shut/theirs")).c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chmod(local(at("shut")).c_str(), 0555), 0);
    ASSERT_EQ(::chown(local(at("root-owned")).c_str(), 0, 0), 0);
    ASSERT_TRUE(QFile::link(at("root-owned"), at("link-to-root")));
    // The link itself belongs to root too: made by another user, it would be theirs.
    EXPECT_TRUE(qvtest::asUnprivileged([&] {
        return qv::menufile::accessOf(local(at("root-owned"))) == Access::ReadOnly &&
               qv::menufile::accessOf(local(at("shut/theirs"))) == Access::FolderReadOnly &&
               qv::menufile::accessOf(local(at("link-to-root"))) == Access::LinkNotOwned &&
               qv::menufile::accessOf(local(at("shut/new"))) == Access::FolderReadOnly;
    }));
}

class MenuLock : public MenuFile {
protected:
    void SetUp() override {
        MenuFile::SetUp();
        file("qv.ini");
        menu = local(at("qv.ini"));
        lockFile = Lock::lockPathOf(menu);
    }
    // A lock left as another holder would leave it: a folder naming its holder, or (asFile) the
    // lock file of earlier versions.
    void holdAs(const std::string& holder, int ageSeconds = 0, bool asFile = false) {
        std::string named = lockFile;
        if (!asFile) {
            ASSERT_EQ(::mkdir(lockFile.c_str(), 0755), 0);
            named += "/holder";
        }
        ASSERT_TRUE(
            qvtest::writeAll(QString::fromStdString(named), QByteArray::fromStdString(holder)));
        if (ageSeconds > 0) {
            const timespec old[2] = {{::time(nullptr) - ageSeconds, 0},
                                     {::time(nullptr) - ageSeconds, 0}};
            ASSERT_EQ(::utimensat(AT_FDCWD, lockFile.c_str(), old, 0), 0);
        }
    }
    std::string heldBy() const {
        struct stat st {};
        const bool folder = ::lstat(lockFile.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
        return qvtest::readAll(QString::fromStdString(folder ? lockFile + "/holder" : lockFile))
            .toStdString();
    }
    void release() const {
        ::unlink((lockFile + "/holder").c_str());
        ::rmdir(lockFile.c_str());
        ::unlink(lockFile.c_str());
    }
    bool locked() const { return ::access(lockFile.c_str(), F_OK) == 0; }
    std::string menu;
    std::string lockFile;
};

TEST_F(MenuLock, IsTakenAndGivenBack) {
    EXPECT_EQ(lockFile, local(at(".qv.ini.lock")));
    {
        LockFailure why = LockFailure::Failed;
        const auto lock = Lock::acquire(menu, 1000, &why);
        ASSERT_TRUE(lock);
        EXPECT_EQ(why, LockFailure::None);
        EXPECT_TRUE(locked());
        // A second change waits for it, then gives up.
        EXPECT_FALSE(Lock::acquire(menu, 50, &why));
        EXPECT_EQ(why, LockFailure::Busy);
    }
    EXPECT_FALSE(locked());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"qv.ini"});
}

TEST_F(MenuLock, AFolderThatNeverNamedItsHolderHoldsOnlyAMoment) {
    // An editor that died between making the lock folder and naming itself in it.
    ASSERT_EQ(::mkdir(lockFile.c_str(), 0755), 0);
    LockFailure why = LockFailure::None;
    EXPECT_FALSE(Lock::acquire(menu, 100, &why)) << "a live editor names itself a moment later";
    EXPECT_EQ(why, LockFailure::Busy);
    const auto lock = Lock::acquire(menu, qv::menufile::kEmptyLockMs + 3000, &why);
    EXPECT_TRUE(lock);
}

TEST_F(MenuLock, ALiveHolderIsWaitedForACrashedOneIsNot) {
    const std::string tag = qv::profile::temporaryWriterTag();
    // A process that is gone: the pid of a child that has ended.
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
    const std::pair<const char*, bool> live[] = {
        {"this host, process alive", true},
        {"this host, process gone", false},
        {"another host, fresh", true},
        {"another host, old", false},
    };
    const std::string holders[] = {
        tag + " " + std::to_string(::getppid()) + " 1\n",
        tag + " " + std::to_string(child) + " 2\n",
        "elsewhere 1 3\n",
        "elsewhere 1 4\n",
    };
    for (const bool asFile : {false, true}) {
        for (int i = 0; i < 4; ++i) {
            SCOPED_TRACE(std::string(live[i].first) + (asFile ? ", lock file" : ", lock folder"));
            holdAs(holders[i], i == 3 ? qv::menufile::kStaleLockSeconds + 30 : 0, asFile);
            LockFailure why = LockFailure::None;
            auto lock = Lock::acquire(menu, 100, &why);
            EXPECT_EQ(!lock, live[i].second);
            if (!lock) {
                // The holder keeps its lock: giving up must not remove it.
                EXPECT_EQ(why, LockFailure::Busy);
                EXPECT_EQ(heldBy(), holders[i]);
                release();
            }
        }
    }
    // Nothing is left of the broken locks.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"qv.ini"});
}

TEST_F(MenuLock, ALockBrokenByAnotherEditorIsNotRemovedByItsOldHolder) {
    auto lock = Lock::acquire(menu, 100, nullptr);
    ASSERT_TRUE(lock);
    release();
    holdAs("elsewhere 7 new\n");
    lock.reset();
    EXPECT_EQ(heldBy(), "elsewhere 7 new\n");
}

} // namespace
