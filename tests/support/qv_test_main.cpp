#include <QApplication>
#include <gtest/gtest.h>

// Every test runs inside one QApplication, as the programs do; the platform plugin comes from
// QT_QPA_PLATFORM (offscreen by default, xcb for the tests that need a real X server).
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QuorvelTests"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
