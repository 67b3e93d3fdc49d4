// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <gtest/gtest.h>

// Tells ctest that a test was skipped (SKIP_RETURN_CODE in qv_add_test): a run in which nothing
// failed but some test could not run here must not count as passed.
constexpr int kSkipped = 77;

// Every test runs inside one QApplication, as the programs do; the platform plugin comes from
// QT_QPA_PLATFORM (offscreen by default, xcb for the tests that need a real X server).
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QuorvelTests"));
    ::testing::InitGoogleTest(&argc, argv);
    const int failed = RUN_ALL_TESTS();
    if (failed == 0 && ::testing::UnitTest::GetInstance()->skipped_test_count() > 0) {
        return kSkipped;
    }
    return failed;
}
