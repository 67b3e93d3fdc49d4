// SPDX-License-Identifier: GPL-3.0-or-later
// The real quorvel-manager on an X display, beside a menu of the test's own: tabs and buttons
// edited by pointer and keyboard, checked in the file the launcher reads.
#include "common/ui/twips.h"
#include "tests/support/testutil.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

// Runs xdotool and gives its output, or an empty text when it fails.
QString xdotool(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral("xdotool"), args);
    if (!p.waitForFinished(15000) || p.exitCode() != 0) {
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

// The centre of a control given in twips, in window pixels.
QStringList centre(int left, int top, int width, int height) {
    const QRect r = qv::twipsRect(left, top, width, height);
    return {QString::number(r.center().x()), QString::number(r.center().y())};
}

class ManagerOnX : public ::testing::Test {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("DISPLAY")) {
            GTEST_SKIP() << "needs an X display";
        }
        if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty()) {
            GTEST_SKIP() << "needs xdotool";
        }
        ASSERT_TRUE(dir.isValid());
        const QString binary = QDir(dir.path()).filePath(QStringLiteral("quorvel-manager"));
        ASSERT_TRUE(QFile::copy(qvtest::binDir() + QStringLiteral("/quorvel-manager"), binary));
        ASSERT_TRUE(qvtest::writeAll(ini(), "[Settings]\r\nNumber of tabs=2\r\nTab1=Writing\r\n"
                                            "Tab2=Games\r\n[Tab 1]\r\nNumber of Buttons=3\r\n"
                                            "Button 1=/apps/One.exe\r\nButton 2=/apps/Two.exe\r\n"
                                            "Button 3=/apps/Three.exe\r\n"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        manager.setProcessEnvironment(env);
        manager.start(binary, {});
        ASSERT_TRUE(manager.waitForStarted(10000));
        window = xdotool({"search", "--sync", "--onlyvisible", "--pid",
                          QString::number(manager.processId()), "--name", "^Quorvel Manger$"})
                     .section(QLatin1Char('\n'), 0, 0);
        ASSERT_FALSE(window.isEmpty());
        // The page is built during the load; give the window its first paint.
        QThread::msleep(500);
    }

    void TearDown() override {
        manager.kill();
        manager.waitForFinished(5000);
    }

    QString ini() const { return QDir(dir.path()).filePath(QStringLiteral("qv.ini")); }

    void click(const QStringList& at, int button = 1) {
        xdotool(QStringList{"mousemove", "--window", window} + at +
                QStringList{"click", QString::number(button)});
    }

    // Waits (up to a bound, not a speed target) until the file holds the line.
    bool fileGets(const QByteArray& line) {
        return qvtest::waitUntil([&] { return qvtest::readAll(ini()).contains(line + "\r\n"); },
                                 10000);
    }

    QTemporaryDir dir;
    QProcess manager;
    QString window;
};

TEST_F(ManagerOnX, TabsAndButtonsAreEditedInTheFile) {
    // A new tab from a typed caption.
    click(centre(4080, 600, 3135, 285));
    xdotool({"key", "--window", window, "ctrl+a"});
    xdotool({"type", "--window", window, "Art"});
    click(centre(7440, 600, 735, 255));
    EXPECT_TRUE(fileGets("Tab3=Art"));

    // The new tab is shown selected; back to the first one, "Writing", at the strip's left.
    click(centre(120, 2760, 600, 300));

    // A right press on the first button deletes it and renumbers the others.
    click(centre(1080, 3360, 1335, 1095), 3);
    ASSERT_TRUE(fileGets("Number of Buttons=2"));
    const QByteArray menu = qvtest::readAll(ini());
    EXPECT_TRUE(menu.contains("Button 1=/apps/Two.exe\r\n"));
    EXPECT_TRUE(menu.contains("Button 2=/apps/Three.exe\r\n"));

    // Removing the selected first tab moves Games to the front.
    click(centre(8160, 600, 735, 255));
    EXPECT_TRUE(fileGets("Tab1=Games"));
    EXPECT_FALSE(qvtest::readAll(ini()).contains("Two.exe"));
    EXPECT_EQ(manager.state(), QProcess::Running);
}

} // namespace
