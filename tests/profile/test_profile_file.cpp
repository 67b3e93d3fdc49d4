// SPDX-License-Identifier: GPL-3.0-or-later
// The profile functions on real files: the Windows contract, atomic replacement, permissions,
// failures at every step of a write, and leftovers of writers that died.
#include "platform/profile/profile.h"
#include "tests/support/testutil.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using qv::profile::WriteStatus;
using qv::profile::WriteStep;

namespace {

std::string get(const std::string& path, const char* s, const char* k, const char* def = "",
                std::uint32_t size = 255, std::uint32_t* count = nullptr) {
    std::string buffer(size + 1, '#');
    const std::uint32_t n =
        win32::GetPrivateProfileStringA(s, k, def, buffer.data(), size, path.c_str());
    if (count != nullptr) {
        *count = n;
    }
    return {buffer.data(), n};
}

bool put(const std::string& path, const char* s, const char* k, const char* v) {
    return win32::WritePrivateProfileStringA(s, k, v, path.c_str());
}

struct stat statOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st;
}

class ProfileFile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath("qv.ini").toStdString();
    }
    QByteArray bytes() const { return qvtest::readAll(dir.filePath("qv.ini")); }
    void write(const QByteArray& b) { ASSERT_TRUE(qvtest::writeAll(dir.filePath("qv.ini"), b)); }
    QStringList entries() const {
        return QDir(dir.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

    QTemporaryDir dir;
    std::string path;
};

TEST_F(ProfileFile, ReadCopiesTheValueCutToTheBufferOrGivesTheDefault) {
    write("[A]\r\nk=1\r\nLong=" + QByteArray(300, 'x') + "\r\n[B]\r\n");
    const std::string missing = dir.filePath("missing.ini").toStdString();
    const std::string folder = dir.path().toStdString();
    // File, section, key, default, buffer size, and what is read.
    using Case =
        std::tuple<std::string, const char*, const char*, const char*, std::uint32_t, std::string>;
    const Case cases[] = {
        {path, "a", "K", "", 255, "1"},
        {path, "A", "Long", "", 255, std::string(254, 'x')},
        {path, "A", "Long", "", 4, "xxx"},
        {path, "A", "Long", "", 1, ""},
        {path, "A", "none", "d", 255, "d"},
        {path, "A", "none", nullptr, 255, ""},
        {missing, "A", "k", "d", 255, "d"},
        {folder, "A", "k", "d", 255, "d"},
        // Null names list the sections, or a section's keys; a list that does not fit returns
        // size - 2.
        {path, nullptr, nullptr, "", 255, std::string("A\0B\0", 4)},
        {path, "a", nullptr, "", 255, std::string("k\0Long\0", 7)},
        {path, "A", nullptr, "", 4, std::string("k\0", 2)},
    };
    for (const auto& [file, section, key, def, size, value] : cases) {
        std::uint32_t n = 7;
        EXPECT_EQ(get(file, section, key, def, size, &n), value) << size;
        EXPECT_EQ(n, value.size());
    }
    char small[4] = {'#', '#', '#', '#'};
    EXPECT_EQ(win32::GetPrivateProfileStringA("A", "Long", "", small, 4, path.c_str()), 3U);
    EXPECT_EQ(small[3], '\0') << "always NUL-terminated";
    EXPECT_EQ(win32::GetPrivateProfileStringA("A", "Long", "", small, 0, path.c_str()), 0U);
    EXPECT_EQ(small[0], 'x') << "a size of 0 writes nothing";
    EXPECT_EQ(win32::GetPrivateProfileStringA("A", "Long", "", nullptr, 10, path.c_str()), 0U);
}

TEST_F(ProfileFile, WriteCreatesExactlyHeaderAndKeyLineDeletionsNothing) {
    EXPECT_TRUE(put(path, "S", "k", nullptr));
    EXPECT_TRUE(put(path, "S", nullptr, nullptr));
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(path)));
    EXPECT_TRUE(put(path, "Tab 4", "Button 1", "C:\\x.lnk"));
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(statOf(path).st_mode & 07777, 0666 & ~mask);
}

TEST_F(ProfileFile, AWriteThatChangesNothingLeavesTheFileAlone) {
    write("[S]\r\nk=v\r\n");
    const ino_t before = statOf(path).st_ino;
    EXPECT_TRUE(put(path, "s", "K", "v"));
    EXPECT_TRUE(put(path, "S", "none", nullptr));
    EXPECT_TRUE(put(path, "none", nullptr, nullptr));
    EXPECT_EQ(statOf(path).st_ino, before);
    EXPECT_TRUE(put(path, "S", "k", "w"));
    EXPECT_NE(statOf(path).st_ino, before) << "a change replaces the file as a whole";
    EXPECT_EQ(bytes(), "[S]\r\nk=w\r\n");
}

TEST_F(ProfileFile, WriteKeepsPermissionsAndSymbolicLinks) {
    write("[S]\r\nk=v\r\n");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    EXPECT_TRUE(put(path, "S", "k", "2"));
    EXPECT_EQ(statOf(path).st_mode & 07777, 0640U);

    const std::string link = dir.filePath("link.ini").toStdString();
    ASSERT_EQ(::symlink(path.c_str(), link.c_str()), 0);
    EXPECT_TRUE(put(link, "S", "k", "3"));
    EXPECT_EQ(QFileInfo(QString::fromStdString(link)).isSymLink(), true);
    EXPECT_EQ(bytes(), "[S]\r\nk=3\r\n");
}

TEST_F(ProfileFile, UnsafeWritesAreRefusedAndChangeNothing) {
    write("[Settings]\r\nNumber of tabs=1\r\n");
    const QByteArray before = bytes();
    // Which names and values are unsafe is the engine's rule table.
    EXPECT_FALSE(put(path, "Settings", "Tab1", "x\r\n[Settings]\r\nNumber of tabs=99"));
    EXPECT_FALSE(put(path, nullptr, "Tab1", "y"));
    EXPECT_FALSE(put("", "S", "k", "v"));
    EXPECT_FALSE(put(dir.path().toStdString(), "S", "k", "v"));
    EXPECT_FALSE(put(path + "/below.ini", "S", "k", "v"));
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(entries(), QStringList{"qv.ini"});
}

// Every step of the atomic write can fail; the old file must survive and no temporary remain.
TEST_F(ProfileFile, AFailureAtAnyStepLeavesTheOldFileAndNoTemporary) {
    const QByteArray original = "; teacher's menu\r\n[Settings]\r\nNumber of tabs=1\r\n";
    write(original);
    for (WriteStep step :
         {WriteStep::OpenTemp, WriteStep::Write, WriteStep::Flush, WriteStep::Rename}) {
        SCOPED_TRACE(static_cast<int>(step));
        {
            qv::profile::ScopedWriteFailure failure(step);
            EXPECT_EQ(
                qv::profile::writeProfileString("Settings", "Number of tabs", "2", path.c_str()),
                WriteStatus::Failed);
            EXPECT_FALSE(qv::profile::replaceFileAtomically(path.c_str(), "junk"));
        }
        EXPECT_EQ(bytes(), original);
        EXPECT_EQ(entries(), QStringList{"qv.ini"});
    }
}

pid_t deadPid() {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::_exit(0);
    }
    ::waitpid(pid, nullptr, 0);
    return pid;
}

bool makeOld(const char* file) {
    struct timespec times[2];
    ::clock_gettime(CLOCK_REALTIME, &times[0]);
    times[0].tv_sec -= qv::profile::kStaleTemporarySeconds + 60;
    times[1] = times[0];
    return ::utimensat(AT_FDCWD, file, times, AT_SYMLINK_NOFOLLOW) == 0;
}

TEST_F(ProfileFile, AWriteRemovesOnlyTheLeftoversOfDeadWriters) {
    write("[S]\r\nk=1\r\n");
    const pid_t live = ::getppid(); // a writer busy with its temporary
    const pid_t dead = deadPid();
    ASSERT_NE(::kill(dead, 0), 0) << "the reaped child must be gone";
    const std::string tag = qv::profile::temporaryWriterTag();
    ASSERT_FALSE(tag.empty());
    const auto name = [&](const std::string& file, const std::string& writer, long pid,
                          const char* random = "aB3dE9") {
        return QString::fromStdString("." + file + ".tmp-" + writer + "-" + std::to_string(pid) +
                                      "-" + random);
    };
    enum Kind { File, Folder, Link };
    // The leftover's name, whether it is old, its kind, whether the write removes it, and why.
    const std::tuple<QString, bool, Kind, bool, const char*> cases[] = {
        {name("qv.ini", tag, dead), false, File, true, "this host, writer gone"},
        {name("qv.ini", tag, live, "Ww2222"), true, File, false, "a live writer, old"},
        {name("qv.ini", "otherhost.1", dead), false, File, false, "another host, recent"},
        {name("qv.ini", "other-host.1", dead, "Oo3333"), true, File, true, "another host, old"},
        {".qv.ini.tmp-Ab12Cd", false, File, false, "the older name, recent"},
        {".qv.ini.tmp-Ef34Gh", true, File, true, "the older name, old"},
        {name("menu2.ini", "otherhost", dead), true, File, false, "another menu's, old"},
        {name("qv.ini", tag, dead, "Dd4444"), false, Folder, false, "a folder"},
        {name("qv.ini", tag, dead, "Ll5555"), true, Link, false, "a symbolic link"},
        {name("qv.ini", tag, dead, "short"), true, File, false, "not a random part"},
        {".qv.ini.tmp-" + QString::fromStdString(tag) + "-0123-Aa1234", true, File, false,
         "not a pid"},
        {".qv.ini.tmp", true, File, false, "no random part"},
        {"qv.ini.tmp-Cc1234", true, File, false, "not hidden"},
        {name("qv.ini.tmp-x", tag, dead), true, File, false, "a file whose name starts like ours"},
    };
    const QString target = dir.filePath("link-target");
    ASSERT_TRUE(qvtest::writeAll(target, "keep"));
    for (const auto& [name, old, kind, removed, why] : cases) {
        const QByteArray file = dir.filePath(name).toLocal8Bit();
        const bool made = kind == Folder ? QDir().mkdir(file)
                          : kind == Link ? ::symlink(target.toLocal8Bit().constData(), file) == 0
                                         : qvtest::writeAll(file, "partial");
        ASSERT_TRUE(made && (!old || makeOld(file))) << why;
    }
    EXPECT_TRUE(put(path, "S", "k", "2"));
    EXPECT_EQ(bytes(), "[S]\r\nk=2\r\n");
    const QStringList left = entries();
    for (const auto& [name, old, kind, removed, why] : cases) {
        EXPECT_EQ(!left.contains(name), removed) << why << ": " << qPrintable(name);
    }
    EXPECT_EQ(qvtest::readAll(target), "keep");
    EXPECT_EQ(qv::profile::removeLeftoverTemporaries(path.c_str()), 0U) << "nothing more to do";
}

TEST_F(ProfileFile, AnUnreadableFileIsNeverOverwritten) {
    write("[S]\r\nk=1\r\n");
    ASSERT_EQ(::chmod(dir.path().toLocal8Bit().constData(), 0777), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0222), 0);
    EXPECT_TRUE(qvtest::asUnprivileged([&] {
        return qv::profile::writeProfileString("S", "j", "2", path.c_str()) == WriteStatus::Failed;
    }));
    ::chmod(path.c_str(), 0644);
    EXPECT_EQ(bytes(), "[S]\r\nk=1\r\n");
}

QByteArray iconv(const QByteArray& bytes, const char* from, const char* to) {
    QProcess p;
    p.start(QStringLiteral("iconv"), {"-f", from, "-t", to});
    p.write(bytes);
    p.closeWriteChannel();
    return p.waitForFinished() && p.exitCode() == 0 ? p.readAllStandardOutput() : "iconv failed";
}

// A menu saved as UTF-16 with a byte-order mark (here by iconv, as by a Windows editor's
// "Unicode" save) reads as the same menu in 8 bits does, and each write goes back in UTF-16.
TEST_F(ProfileFile, AUtf16MenuReadsAndWritesAsThe8BitOne) {
    const QByteArray menu =
        "[Settings]\r\nNumber of tabs=1\r\nTab1=Sch\xC3\xBCler \xF0\x9F\x98\x80\r\n"
        "[Tab 1]\r\nButton 1=C:\\a.exe\r\n";
    // iconv turns the leading U+FEFF into the byte-order mark; an odd last byte damages the file,
    // which is still read but never rewritten.
    const std::pair<const char*, bool> cases[] = {
        {"UTF-16LE", false}, {"UTF-16BE", false}, {"UTF-16LE", true}};
    const QString eight = dir.filePath("eight.ini");
    const std::pair<const char*, const char*> reads[] = {
        {"settings", "TAB1"}, {"Tab 1", "Button 1"}, {"Settings", nullptr}, {nullptr, nullptr}};
    // Each kind of write, then the reads again.
    const std::tuple<const char*, const char*, const char*> writes[] = {
        {"Settings", "Tab1", "G\xC3\xA4ste"},
        {"Tab 2", "Button 1", "\xE2\x82\xAC.exe"},
        {"Tab 1", "Button 1", nullptr},
        {"Settings", "Number of tabs", "1"}};
    for (const auto& [iconvTo, damaged] : cases) {
        ASSERT_TRUE(qvtest::writeAll(eight, menu));
        write(iconv("\xEF\xBB\xBF" + menu, "UTF-8", iconvTo) + (damaged ? "x" : ""));
        const QByteArray original = bytes();
        ASSERT_TRUE(original.startsWith("\xFF\xFE") || original.startsWith("\xFE\xFF"));
        for (std::size_t i = 0; i <= std::size(writes); ++i) {
            SCOPED_TRACE(std::string(iconvTo) + (damaged ? " damaged" : "") + " step " +
                         std::to_string(i));
            for (const auto& [sec, key] : reads) {
                EXPECT_EQ(get(path, sec, key), get(eight.toStdString(), sec, key));
            }
            if (i == std::size(writes)) {
                break;
            }
            const auto& [sec, key, value] = writes[i];
            ASSERT_TRUE(put(eight.toStdString(), sec, key, value));
            EXPECT_EQ(put(path, sec, key, value), !damaged || i == 3);
            if (damaged) {
                write(original);
                ASSERT_TRUE(qvtest::writeAll(eight, menu));
                continue;
            }
            EXPECT_EQ(bytes().left(2), original.left(2)) << "the byte-order mark stays";
            EXPECT_EQ(iconv(bytes(), "UTF-16", "UTF-8"), qvtest::readAll(eight));
        }
        EXPECT_EQ(entries(), QStringList({"eight.ini", "qv.ini"}));
    }
}

} // namespace
