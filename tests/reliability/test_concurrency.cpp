// The launcher reads qv.ini while the editor changes it, without any locking: every read must
// see a whole file, whole lines and counts that were really written.
#include "common/menulayout.h"
#include "common/modini.h"
#include "platform/messagebox.h"
#include "tests/reliability/editscript.h"
#include "tests/support/testutil.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

namespace {

TEST(Concurrency, ReaderNeverSeesAMissingFileTornLineOrUnwrittenCountDuring10000Changes) {
    qv::ScopedFakeMessageBox messages;
    QTemporaryDir tmp(qvrel::fastTempTemplate());
    const QString path = tmp.filePath("qv.ini");
    ASSERT_TRUE(qvtest::writeAll(path, qvrel::churnMenu()));
    QProcess reader;
    ASSERT_TRUE(qvrel::startHelper(reader, {"read", path, "churn"}));

    std::vector<int> lastSerial(15, 0);
    int lastCount = 14;
    for (int i = 1; i <= 10000; ++i) {
        // Every tenth change moves the count among 10 to 14; the others rewrite a button, its
        // line growing as the serial gains digits.
        if (i % 10 == 0) {
            lastCount = 10 + (i / 10) % 5;
            ASSERT_EQ(qv::WriteKey(path, qv::tabSection(1), qv::kNumberOfButtonsWrite,
                                   QString::number(lastCount)),
                      1);
        } else {
            const int m = i % 14 + 1;
            lastSerial[m] = i;
            ASSERT_EQ(
                qv::WriteKey(path, qv::tabSection(1), qv::buttonKey(m), qvrel::itemValue(1, m, i)),
                1);
        }
    }
    // It read often, and never found the file missing, a line torn or a count never written.
    EXPECT_GT(qvrel::stopReader(reader), 50);

    // And no change was lost on the way.
    EXPECT_EQ(qv::ReadKey(path, qv::tabSection(1), qv::kNumberOfButtonsRead).value_or(""),
              QString::number(lastCount));
    for (int m = 1; m <= 14; ++m) {
        EXPECT_EQ(qv::ReadKey(path, qv::tabSection(1), qv::buttonKey(m)).value_or(""),
                  qvrel::itemValue(1, m, lastSerial[m]))
            << m;
    }
    EXPECT_TRUE(messages.fake.messages.empty());
}

TEST(Concurrency, LauncherReadsWhileTheEditorAddsAndDeletes1000Buttons) {
    qv::ScopedFakeMessageBox messages;
    QTemporaryDir tmp(qvrel::fastTempTemplate());
    const QString path = tmp.filePath("qv.ini");
    ASSERT_TRUE(qvtest::writeAll(
        path,
        "[Settings]\r\nNumber of tabs=1\r\nTab1=Editor\r\n[Tab 1]\r\nNumber of Buttons=0\r\n"));
    QProcess reader;
    ASSERT_TRUE(qvrel::startHelper(reader, {"read", path, "editor"}));

    qvrel::EditScript editor(path, 6, {});
    std::mt19937 random(1000);
    for (int i = 0; i < 1000; ++i) {
        const int count = editor.buttonCount(1);
        ASSERT_GE(count, 0);
        if (count == 0 || (count < 20 && std::uniform_int_distribution<int>(0, 99)(random) < 55)) {
            editor.addButton(1);
        } else {
            editor.deleteButton(1, std::uniform_int_distribution<int>(1, count)(random));
        }
    }
    EXPECT_GT(qvrel::stopReader(reader), 50);

    // The editor's own result: buttons 1 to the count, without gaps, and nothing after them.
    const int count = editor.buttonCount(1);
    ASSERT_GE(count, 0);
    for (int m = 1; m <= count; ++m) {
        EXPECT_TRUE(qv::KeyExists(path, qv::tabSection(1), qv::buttonKey(m))) << m;
    }
    EXPECT_FALSE(qv::KeyExists(path, qv::tabSection(1), qv::buttonKey(count + 1)));
    EXPECT_TRUE(messages.fake.messages.empty()) << qPrintable(messages.fake.messages.front().text);
}

} // namespace
