#include "platform/filetest.h"
#include "platform/messagebox.h"
#include "tests/support/testutil.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

TEST(FileTest, OnlyVisibleRegularFilesCountAsNormal) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString plain = dir.filePath("qv.ini");
    const QString hidden = dir.filePath(".qv.ini");
    ASSERT_TRUE(qvtest::writeAll(plain, "[Settings]\r\n"));
    ASSERT_TRUE(qvtest::writeAll(hidden, "x"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.ini"));

    struct Case {
        QString path;
        bool normal;
    };
    const Case cases[] = {{plain, true},
                          {hidden, false},
                          {dir.filePath("folder.ini"), false},
                          {dir.filePath("missing.ini"), false},
                          {QString(), false},
                          {"/dev/null", false}};
    for (const Case& c : cases) {
        EXPECT_EQ(qv::isNormalFile(c.path), c.normal) << c.path.toStdString();
    }
}

TEST(FileTest, UnreadableFileCannotBeOpened) {
    QTemporaryDir dir;
    const QString path = dir.filePath("qv.ini");
    ASSERT_TRUE(qvtest::writeAll(path, "x"));
    EXPECT_TRUE(qv::canOpenForReading(path));
    EXPECT_FALSE(qv::canOpenForReading(dir.filePath("none")));
    EXPECT_FALSE(qv::canOpenForReading(QString()));
    // Special files are refused at once: opening a FIFO for reading would wait for a writer.
    const QString fifo = dir.filePath("fifo.ini");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_FALSE(qv::canOpenForReading(fifo));
    EXPECT_FALSE(qv::canOpenForReading("/dev/zero"));
}

TEST(MessageBox, FakeRecordsTextTitleIconAndFallsBackToProgramTitle) {
    qv::ScopedFakeMessageBox box;
    qv::MsgBox("a.ini not found.", "File Not Found", qv::MsgIcon::Stop);
    qv::MsgBox("no title");
    ASSERT_EQ(box.fake.messages.size(), 2U);
    EXPECT_EQ(box.fake.messages[0].text, "a.ini not found.");
    EXPECT_EQ(box.fake.messages[0].title, "File Not Found");
    EXPECT_EQ(box.fake.messages[0].icon, qv::MsgIcon::Stop);
    EXPECT_EQ(box.fake.messages[1].title, qv::programTitle());
    EXPECT_EQ(box.fake.messages[1].icon, qv::MsgIcon::None);
}

TEST(MessageBox, GuardsNestAndRestore) {
    qv::ScopedFakeMessageBox outer;
    {
        qv::ScopedFakeMessageBox inner;
        qv::MsgBox("inner");
        EXPECT_EQ(inner.fake.messages.size(), 1U);
    }
    qv::MsgBox("outer");
    EXPECT_EQ(outer.fake.messages.size(), 1U);
    EXPECT_EQ(outer.fake.messages[0].text, "outer");
}

} // namespace
