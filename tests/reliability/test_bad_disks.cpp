// Writes that the disk refuses (a read-only folder, a full file system, a file that is gone)
// report failure with a message and leave the old file exactly as it was.
#include "common/menulayout.h"
#include "common/modini.h"
#include "platform/messagebox.h"
#include "platform/profile.h"
#include "tests/support/testutil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray kMenu = "; the teacher's menu\r\n"
                         "[Settings]\r\n"
                         "Number of tabs=1\r\n"
                         "Tab1=Writing\r\n"
                         "[Tab 1]\r\n"
                         "Number of Buttons=2\r\n"
                         "Button 1=/usr/bin/editor\r\n"
                         "Button 2=/usr/bin/paint\r\n";

// Every change the editor makes, each expected to be refused on a disk that takes no writes.
struct Change {
    const char* name;
    std::function<int(const QString& path)> run;
};

std::vector<Change> changes() {
    const QString tab = qv::tabSection(1);
    return {
        {"WriteKey new key",
         [tab](const QString& p) { return qv::WriteKey(p, tab, "Button 3", "/usr/bin/x"); }},
        {"WriteKey replace",
         [tab](const QString& p) { return qv::WriteKey(p, tab, "Number of Buttons", "7"); }},
        {"WriteKey new section",
         [](const QString& p) { return qv::WriteKey(p, "Tab 2", "Button 1", "/usr/bin/y"); }},
        {"DeleteKey", [tab](const QString& p) { return qv::DeleteKey(p, tab, "Button 1"); }},
        {"DeleteSection", [tab](const QString& p) { return qv::DeleteSection(p, tab); }},
        {"RenameKey",
         [tab](const QString& p) { return qv::RenameKey(p, tab, "Button 2", "Button 9"); }},
        {"RenameKeys",
         [tab](const QString& p) {
             return qv::RenameKeys(p, tab, {{"Button 2", "Button 9"}, {"Button 1", "Button 2"}});
         }},
        {"RenameSection", [](const QString& p) { return qv::RenameSection(p, "Tab 1", "Tab 5"); }},
    };
}

QStringList folderEntries(const QString& dir) {
    return QDir(dir).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// Runs every change against a file that cannot be written; what went wrong, or nothing when
// each was refused with a message and left the file and its folder as they were. A text, not
// test assertions, so that it can also be checked in a child process without root rights.
std::string everyChangeRefused(const QString& dir) {
    const QString path = dir + "/qv.ini";
    const QByteArray before = qvtest::readAll(path);
    const QStringList entries = folderEntries(dir);
    for (const Change& c : changes()) {
        qv::ScopedFakeMessageBox box;
        const std::string name = c.name;
        if (c.run(path) != 0) {
            return name + ": a write that did not happen reported success";
        }
        if (box.fake.messages.empty() || box.fake.messages.back().text.isEmpty()) {
            return name + ": failed without a message";
        }
        if (qvtest::readAll(path) != before) {
            return name + ": the old file changed";
        }
        if (folderEntries(dir) != entries) {
            return name + ": something was left in the folder";
        }
    }
    return {};
}

// A small file system of our own, when this process may mount one (root, with the right).
class Tmpfs {
public:
    explicit Tmpfs(const QString& dir, const char* options) : dir_(dir) {
        mounted_ = ::mount("qvtest", dir.toLocal8Bit().constData(), "tmpfs", 0, options) == 0;
        error_ = errno;
    }
    ~Tmpfs() {
        if (mounted_) {
            ::umount2(dir_.toLocal8Bit().constData(), MNT_DETACH);
        }
    }
    Tmpfs(const Tmpfs&) = delete;
    Tmpfs& operator=(const Tmpfs&) = delete;
    bool mounted() const { return mounted_; }
    bool remountReadOnly() {
        return ::mount("qvtest", dir_.toLocal8Bit().constData(), "tmpfs", MS_REMOUNT | MS_RDONLY,
                       nullptr) == 0;
    }
    QString why() const { return QString::fromLocal8Bit(std::strerror(error_)); }

private:
    QString dir_;
    bool mounted_ = false;
    int error_ = 0;
};

TEST(BadDisks, ReadOnlyFolderRefusesEveryChangeAndKeepsTheFile) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString dir = tmp.filePath("ro");
    ASSERT_TRUE(QDir().mkpath(dir));
    // The super-user writes into any folder whatever its mode: a read-only mount stops it, and
    // where it may not mount, the check runs in a child without root rights.
    Tmpfs fs(dir, "size=1m");
    ASSERT_TRUE(qvtest::writeAll(dir + "/qv.ini", kMenu));
    if (fs.mounted()) {
        ASSERT_TRUE(fs.remountReadOnly());
        EXPECT_EQ(everyChangeRefused(dir), "");
    } else {
        ASSERT_EQ(::chmod(tmp.path().toLocal8Bit().constData(), 0755), 0);
        ASSERT_EQ(::chmod(dir.toLocal8Bit().constData(), 0555), 0);
        EXPECT_TRUE(qvtest::asUnprivileged([&] {
            const std::string why = everyChangeRefused(dir);
            std::fprintf(stderr, "%s\n", why.c_str());
            return why.empty();
        }));
        EXPECT_EQ(qvtest::readAll(dir + "/qv.ini"), kMenu);
    }
    ::chmod(dir.toLocal8Bit().constData(), 0755);
}

TEST(BadDisks, FullFileSystemRefusesEveryChangeAndKeepsTheFile) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString dir = tmp.filePath("full");
    ASSERT_TRUE(QDir().mkpath(dir));
    Tmpfs fs(dir, "size=64k");
    if (!fs.mounted()) {
        GTEST_SKIP() << "no small file system to fill: " << qPrintable(fs.why());
    }
    const QString path = dir + "/qv.ini";
    ASSERT_TRUE(qvtest::writeAll(path, kMenu));
    // Fill every block that is left.
    {
        QFile filler(dir + "/filler");
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        const QByteArray block(512, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
        filler.close();
    }
    ASSERT_LT(QFileInfo(dir + "/filler").size(), 64 * 1024);
    EXPECT_EQ(everyChangeRefused(dir), "");

    // With room again the same change goes through.
    ASSERT_TRUE(QFile::remove(dir + "/filler"));
    qv::ScopedFakeMessageBox box;
    EXPECT_EQ(qv::WriteKey(path, qv::tabSection(1), "Button 3", "/usr/bin/x"), 1);
    EXPECT_EQ(qv::ReadKey(path, qv::tabSection(1), "Button 3").value_or(""), "/usr/bin/x");
    EXPECT_EQ(folderEntries(dir), QStringList{"qv.ini"});
}

// Every step of an atomic write failing in turn, as a broken device or a racing folder change
// would make it fail: each change is refused with a message, the old file stays, and the
// temporary file is gone.
TEST(BadDisks, WriteFailingAtEachStepRefusesEveryChangeAndKeepsTheFile) {
    using qv::profile::WriteStep;
    const struct {
        WriteStep step;
        const char* name;
    } steps[] = {{WriteStep::OpenTemp, "creating the temporary file"},
                 {WriteStep::Write, "writing"},
                 {WriteStep::Flush, "flushing"},
                 {WriteStep::Rename, "renaming into place"}};
    for (const auto& s : steps) {
        SCOPED_TRACE(s.name);
        QTemporaryDir tmp;
        ASSERT_TRUE(tmp.isValid());
        ASSERT_TRUE(qvtest::writeAll(tmp.filePath("qv.ini"), kMenu));
        qv::profile::ScopedWriteFailure failure(s.step);
        EXPECT_EQ(everyChangeRefused(tmp.path()), "");
    }
    // A write to a file that does not exist yet fails the same way and creates nothing.
    QTemporaryDir tmp;
    qv::profile::ScopedWriteFailure failure(WriteStep::Rename);
    qv::ScopedFakeMessageBox box;
    EXPECT_EQ(qv::WriteKey(tmp.filePath("qv.ini"), "Settings", "Number of tabs", "1"), 0);
    EXPECT_EQ(box.fake.messages.size(), 1U);
    EXPECT_TRUE(folderEntries(tmp.path()).isEmpty());
}

// The file goes between two calls: the next call says so and creates nothing, except the one
// write that is meant to create the file.
TEST(BadDisks, FileThatVanishesBetweenCallsIsReportedAndNotRecreatedByDeletions) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString path = tmp.filePath("qv.ini");
    const QString tab = qv::tabSection(1);

    struct Case {
        const char* name;
        std::function<qint64(const QString&)> run; // -1 for a read that gave "absent"
    };
    const Case cases[] = {
        {"ReadKey",
         [tab](const QString& p) -> qint64 { return qv::ReadKey(p, tab, "Button 1") ? 1 : -1; }},
        {"DeleteKey",
         [tab](const QString& p) -> qint64 { return qv::DeleteKey(p, tab, "Button 1"); }},
        {"DeleteSection", [tab](const QString& p) -> qint64 { return qv::DeleteSection(p, tab); }},
        {"RenameKey",
         [tab](const QString& p) -> qint64 {
             return qv::RenameKey(p, tab, "Button 2", "Button 1");
         }},
        {"RenameKeys",
         [tab](const QString& p) -> qint64 {
             return qv::RenameKeys(p, tab, {{"Button 2", "Button 1"}, {"Button 3", "Button 2"}});
         }},
        {"RenameSection",
         [](const QString& p) -> qint64 { return qv::RenameSection(p, "Tab 1", "Tab 2"); }},
        {"KeyExists",
         [tab](const QString& p) -> qint64 { return qv::KeyExists(p, tab, "Button 1") ? 1 : 0; }},
        {"SectionExists",
         [tab](const QString& p) -> qint64 { return qv::SectionExists(p, tab) ? 1 : 0; }},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(qvtest::writeAll(path, kMenu));
        qv::ScopedFakeMessageBox box;
        // The editor's delete, with the file taken away after its first call.
        EXPECT_EQ(qv::ReadKey(path, tab, qv::kNumberOfButtonsRead).value_or(""), "2");
        ASSERT_TRUE(QFile::remove(path));
        const qint64 result = c.run(path);
        EXPECT_LE(result, 0) << c.name;
        ASSERT_EQ(box.fake.messages.size(), 1U) << c.name;
        EXPECT_EQ(box.fake.messages[0].text, path + " not found.") << c.name;
        EXPECT_EQ(box.fake.messages[0].title, "File Not Found") << c.name;
        EXPECT_FALSE(QFileInfo::exists(path)) << c.name << " created the file";
    }

    // A file replaced by a folder of the same name: nothing is written into or over it.
    ASSERT_TRUE(QDir().mkpath(path));
    qv::ScopedFakeMessageBox box;
    EXPECT_EQ(qv::WriteKey(path, tab, "Button 1", "/usr/bin/x"), 0);
    EXPECT_FALSE(box.fake.messages.empty());
    EXPECT_TRUE(QFileInfo(path).isDir());
    EXPECT_TRUE(QDir(path).isEmpty());
}

} // namespace
