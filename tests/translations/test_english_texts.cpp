// SPDX-License-Identifier: GPL-3.0-or-later
// An English session shows exactly the texts the windows showed before they were translatable:
// both windows' texts compared line by line with english_texts.txt. QV_WRITE_TEXTS=file writes
// them instead, to make that file again after a deliberate change of a text.
#include "platform/session/translations.h"
#include "tests/support/testutil.h"
#include "tests/translations/windowtexts.h"

#include <QFile>
#include <gtest/gtest.h>

TEST(EnglishTexts, BothWindowsShowTheirOwnTexts) {
    // LANG=en_US.UTF-8: there is no English catalogue, so none is installed.
    EXPECT_EQ(qv::installTranslations(qEnvironmentVariable("QV_BIN_DIR") +
                                      QStringLiteral("/translations")),
              QString());
    const windowtexts::Windows windows;
    const QStringList texts = windows.texts();
    if (const QString out = qEnvironmentVariable("QV_WRITE_TEXTS"); !out.isEmpty()) {
        ASSERT_TRUE(qvtest::writeAll(out, (texts.join(u'\n') + u'\n').toUtf8()));
        GTEST_SKIP() << "written to " << out.toStdString();
    }
    QFile golden(QStringLiteral(QV_SOURCE_DIR "/tests/translations/english_texts.txt"));
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly));
    const QStringList expected =
        QString::fromUtf8(golden.readAll()).split(u'\n', Qt::SkipEmptyParts);
    EXPECT_EQ(texts, expected);
}
