// SPDX-License-Identifier: GPL-3.0-or-later
// The launcher reads qv.ini while the editor changes it, without any locking: every read must
// see a whole file, whole lines and counts that were really written.
#include "tests/support/editscript.h"
#include "tests/support/testutil.h"

#include <gtest/gtest.h>

namespace {

TEST(Concurrency, ReaderNeverSeesAMissingFileTornLineOrUnwrittenCountDuring10000Changes) {
    qv::FakeMessageBox messages;
    QTemporaryDir tmp{qvrel::fastTempTemplate()};
    const QString path = tmp.filePath("qv.ini");
    ASSERT_TRUE(qvtest::writeAll(path, qvrel::menu({14})));
    QProcess reader;
    ASSERT_TRUE(qvrel::startHelper(reader, {"read", path}));
    for (int i = 1; i <= 10000; ++i) {
        // Every tenth change moves the count among 10 to 14; the others rewrite a button, its
        // line growing as the serial gains digits.
        const int m = i % 14 + 1;
        const QString key = i % 10 == 0 ? qv::kNumberOfButtonsWrite : qv::buttonKey(m);
        const QString value =
            i % 10 == 0 ? QString::number(10 + (i / 10) % 5) : qvrel::itemValue(1, m, i);
        ASSERT_EQ(qv::WriteKey(path, qv::tabSection(1), key, value, messages), 1) << i;
    }
    // It read often, and never found the file missing, a line torn or a count never written.
    EXPECT_GT(qvrel::stopReader(reader), 50);
    EXPECT_TRUE(messages.messages.empty());
}

} // namespace
