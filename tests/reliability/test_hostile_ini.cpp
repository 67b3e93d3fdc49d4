// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile menu files: a gigabyte in one line, NUL bytes, a million sections. Each is read (and
// where the size allows, written) without a crash and with memory bounded by a small multiple
// of what the engine agrees to hold; the times are in bench/reliability.
#include "common/modini.h"
#include "platform/dialogs/messagebox.h"
#include "platform/profile/profile.h"
#include "tests/support/testutil.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

constexpr long kMb = 1024;

struct Measured {
    QString result;
    int messages = -1;
    long grownKb = -1;
    QString output;
};

// One ReadKey or WriteKey in a fresh process, so that its peak memory is its own.
Measured measure(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(QV_RELIABILITY_HELPER), QStringList{"measure"} + args);
    Measured m;
    p.waitForFinished(240000);
    m.output = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
    const QRegularExpressionMatch r =
        QRegularExpression(R"(result=(.*) messages=(\d+) grown_kb=(-?\d+))").match(m.output);
    if (p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 && r.hasMatch()) {
        m = {r.captured(1), r.captured(2).toInt(), r.captured(3).toLong(), m.output};
    }
    return m;
}

qint64 allocatedBytes(const QString& path) {
    struct stat st {};
    return ::stat(path.toLocal8Bit().constData(), &st) == 0 ? qint64{st.st_blocks} * 512 : -1;
}

// A gigabyte of NUL bytes in one line after a real header, made sparse so that it costs no
// disk: larger than anything the engine agrees to read, so it is refused without being loaded.
TEST(HostileIni, GigabyteLineIsRefusedWithoutLoadingItAndNeverOverwritten) {
    QTemporaryDir tmp;
    const QString path = tmp.filePath("qv.ini");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Settings]\r\nNumber of tabs=1\r\nTab1=");
        ASSERT_TRUE(f.resize(qint64{1} << 30) && f.seek(qint64{1} << 30));
        f.write("\r\n[Tab 1]\r\nNumber of Buttons=3\r\n");
    }
    const qint64 size = QFileInfo(path).size();
    const qint64 disk = allocatedBytes(path);
    ASSERT_LT(disk, qint64{1} << 20) << "the file system does not keep the file sparse";

    const Measured read = measure({path, "read", "Tab 1", "Number Of Buttons"});
    ASSERT_GE(read.grownKb, 0) << qPrintable(read.output);
    EXPECT_NE(read.result, "'3'") << "a file beyond the limit was read";
    EXPECT_LT(read.grownKb, 16 * kMb) << qPrintable(read.output);

    const Measured write = measure({path, "write", "Tab 1", "Button 1", "/usr/bin/xterm"});
    ASSERT_GE(write.grownKb, 0) << qPrintable(write.output);
    EXPECT_EQ(write.result, "0") << qPrintable(write.output);
    EXPECT_GE(write.messages, 1) << "a refused write said nothing";
    EXPECT_LT(write.grownKb, 16 * kMb) << qPrintable(write.output);
    EXPECT_EQ(QFileInfo(path).size(), size);
    EXPECT_EQ(allocatedBytes(path), disk);
}

QByteArray millionSections() {
    QByteArray text;
    for (int s = 0; s < 1000000; ++s) {
        text += "[S" + QByteArray::number(s) + "]\r\nk=" + QByteArray::number(s) + "\r\n";
    }
    return text;
}

// Hostile files still within the engine's bound: a key is read, written and read back, each in
// a fresh process whose memory grows by a small multiple of the file.
TEST(HostileIni, LargestAcceptedFilesAreReadAndWrittenInBoundedMemory) {
    QTemporaryDir tmp;
    const QString path = tmp.filePath("qv.ini");
    const struct {
        QByteArray text;
        const char* section;
        const char* key;
        const char* value;
    } rows[] = {
        // A million sections: the last one is found and written, named in another case.
        {millionSections(), "s999999", "K", "999999"},
        // The largest single line the engine agrees to hold is read past and written around.
        {"[Settings]\r\nJunk=" + QByteArray(qv::profile::kMaxProfileBytes - 4096, 'A') +
             "\r\n[Tab 1]\r\nNumber of Buttons=3\r\n",
         "Tab 1", "Number Of Buttons", "3"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.section);
        ASSERT_TRUE(qvtest::writeAll(path, row.text));
        const long fileKb = row.text.size() / 1024;
        const Measured read = measure({path, "read", row.section, row.key});
        EXPECT_EQ(read.result, QStringLiteral("'%1'").arg(row.value)) << qPrintable(read.output);
        EXPECT_LT(read.grownKb, 3 * fileKb + 32 * kMb) << qPrintable(read.output);
        const Measured write = measure({path, "write", row.section, row.key, "new"});
        EXPECT_EQ(write.result, "1") << qPrintable(write.output);
        EXPECT_LT(write.grownKb, 4 * fileKb + 32 * kMb) << qPrintable(write.output);
        EXPECT_EQ(measure({path, "read", row.section, row.key}).result, "'new'");
    }
    // The long line was read past and written around: still there, cut as a read gives it.
    qv::FakeMessageBox box;
    EXPECT_EQ(qv::ReadKey(path, "Settings", "Junk", box).value_or("").size(), 254);
}

// NUL bytes inside names, values and between lines: the menu around them still reads and a
// write keeps the NUL bytes it did not touch (a value's own NUL is test_profile_engine's).
TEST(HostileIni, NulBytesAreJustBytes) {
    qv::FakeMessageBox box;
    QTemporaryDir tmp;
    const QString path = tmp.filePath("qv.ini");
    const QByteArray text("[Settings]\r\nNumber of tabs=1\r\nTab1=Wri\0ting\r\n\0\0\0\r\n"
                          "[Tab\0 9]\r\nButton 1=hidden\r\n[Tab 1]\r\nNumber of Buttons=1\r\n"
                          "Button 1=/usr/bin/xterm\r\nB\0=x\r\n",
                          138);
    ASSERT_TRUE(qvtest::writeAll(path, text));
    EXPECT_EQ(qv::ReadKey(path, "Settings", "Number of tabs", box).value_or(""), "1");
    EXPECT_EQ(qv::ReadKey(path, "Tab 1", "Button 1", box).value_or(""), "/usr/bin/xterm");
    EXPECT_EQ(qv::ReadKey(path, "Tab 9", "Button 1", box).value_or("?"), "");
    EXPECT_EQ(qv::WriteKey(path, "Tab 1", "Number of Buttons", "2", box), 1);
    const QByteArray after = qvtest::readAll(path);
    EXPECT_EQ(after.count('\0'), text.count('\0'));
    EXPECT_TRUE(after.contains(QByteArray("Number of Buttons=2\r\n")));
}

} // namespace
