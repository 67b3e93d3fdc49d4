// SPDX-License-Identifier: GPL-3.0-or-later
// The file test of platform/files.
#include "platform/files/filetest.h"
#include "tests/support/testutil.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// Only visible regular files count as normal; only regular files that can be read are opened
// (special files are refused at once: opening a FIFO for reading would wait for a writer).
TEST(FileTest, OnlyVisibleRegularFilesCountAsNormal) {
    QTemporaryDir dir;
    const QString plain = dir.filePath("qv.ini");
    const QString hidden = dir.filePath(".qv.ini");
    const QString fifo = dir.filePath("fifo.ini");
    ASSERT_TRUE(qvtest::writeAll(plain, "[Settings]\r\n") && qvtest::writeAll(hidden, "x"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.ini"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const struct {
        QString path;
        bool normal;
        bool opens;
    } rows[] = {{plain, true, true},
                {hidden, false, true},
                {dir.filePath("folder.ini"), false, false},
                {dir.filePath("missing.ini"), false, false},
                {QString(), false, false},
                {fifo, false, false},
                {"/dev/null", false, false}};
    for (const auto& row : rows) {
        EXPECT_EQ(qv::isNormalFile(row.path), row.normal) << qPrintable(row.path);
        EXPECT_EQ(qv::canOpenForReading(row.path), row.opens) << qPrintable(row.path);
    }
}

} // namespace
