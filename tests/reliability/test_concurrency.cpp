// The launcher reads qv.ini while the editor changes it, without any locking: every read must
// see a whole file, whole lines and counts that were really written.
#include "tests/reliability/editscript.h"
#include "tests/support/testutil.h"

#include <gtest/gtest.h>

namespace {

// A menu of one tab and a launcher reading it over and over in another process.
class Concurrency : public ::testing::Test {
protected:
    void start(int buttons, const char* mode) {
        ASSERT_TRUE(qvtest::writeAll(path, qvrel::menu({buttons})));
        ASSERT_TRUE(qvrel::startHelper(reader, {"read", path, mode}));
    }
    void TearDown() override {
        // It read often, and never found the file missing, a line torn or a count never written.
        EXPECT_GT(qvrel::stopReader(reader), 50);
        EXPECT_TRUE(messages.fake.messages.empty());
    }

    qv::ScopedFakeMessageBox messages;
    QTemporaryDir tmp{qvrel::fastTempTemplate()};
    const QString path = tmp.filePath("qv.ini");
    const QString tab = qv::tabSection(1);
    QProcess reader;
};

TEST_F(Concurrency, ReaderNeverSeesAMissingFileTornLineOrUnwrittenCountDuring10000Changes) {
    start(14, "churn");
    std::vector<int> lastSerial(15, 0);
    int lastCount = 14;
    for (int i = 1; i <= 10000; ++i) {
        // Every tenth change moves the count among 10 to 14; the others rewrite a button, its
        // line growing as the serial gains digits.
        const int m = i % 14 + 1;
        if (i % 10 == 0) {
            lastCount = 10 + (i / 10) % 5;
            ASSERT_EQ(
                qv::WriteKey(path, tab, qv::kNumberOfButtonsWrite, QString::number(lastCount)), 1);
        } else {
            ASSERT_EQ(qv::WriteKey(path, tab, qv::buttonKey(m),
                                   qvrel::itemValue(1, m, lastSerial[m] = i)),
                      1);
        }
    }
    // No change was lost on the way.
    EXPECT_EQ(qv::ReadKey(path, tab, qv::kNumberOfButtonsRead).value_or(""),
              QString::number(lastCount));
    for (int m = 1; m <= 14; ++m) {
        EXPECT_EQ(qv::ReadKey(path, tab, qv::buttonKey(m)).value_or(""),
                  qvrel::itemValue(1, m, lastSerial[m]));
    }
}

TEST_F(Concurrency, LauncherReadsWhileTheEditorAddsAndDeletes1000Buttons) {
    start(0, "editor");
    qvrel::EditScript editor(path, 6);
    std::mt19937 random(1000);
    for (int i = 0; i < 1000; ++i) {
        const int count = editor.buttonCount(1);
        if (count == 0 || (count < 20 && std::uniform_int_distribution<int>(0, 99)(random) < 55)) {
            editor.addButton(1);
        } else {
            editor.deleteButton(1, std::uniform_int_distribution<int>(1, count)(random));
        }
    }
    // The editor's own result: buttons 1 to the count, without gaps, and nothing after them.
    const int count = editor.buttonCount(1);
    for (int m = 1; m <= count + 1; ++m) {
        EXPECT_EQ(qv::KeyExists(path, tab, qv::buttonKey(m)), m <= count) << m;
    }
}

} // namespace
