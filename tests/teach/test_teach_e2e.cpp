// SPDX-License-Identifier: GPL-3.0-or-later
// The real quorvel-manager on an X display, beside a menu of the test's own: tabs and buttons
// edited by pointer and keyboard, items added through the chooser, and the first menu offered at
// a first start, checked in the file the launcher reads.
#include "common/ui/twips.h"
#include "tests/support/testutil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <gtest/gtest.h>
#include <tuple>

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
        // The desktop's applications, as the chooser lists them: one entry of the test's own.
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("xdg/applications")));
        ASSERT_TRUE(qvtest::writeAll(entry(), "[Desktop Entry]\nType=Application\nName=Quill "
                                              "Writer\nExec=/bin/true\nIcon=accessories-text-"
                                              "editor\n"));
        ASSERT_TRUE(qvtest::writeAll(program(), "#!/bin/sh\n"));
        ASSERT_TRUE(QFile::setPermissions(program(),
                                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("xdg")));
        env.insert(QStringLiteral("XDG_DATA_DIRS"), dir.filePath(QStringLiteral("none")));
        manager.setProcessEnvironment(env);
        manager.setWorkingDirectory(dir.path());
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
    QString entry() const { return dir.filePath(QStringLiteral("xdg/applications/quill.desktop")); }
    QString program() const { return dir.filePath(QStringLiteral("xprog")); }

    // The windows of the editor named so (a dialog it opened), once one is shown.
    QStringList windowsNamed(const QString& name) {
        return xdotool({"search", "--sync", "--all", "--onlyvisible", "--pid",
                        QString::number(manager.processId()), "--name", name})
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    // Real key presses (XTEST), once one of the windows has the keyboard focus.
    void keys(const QStringList& to, const QStringList& args) {
        ASSERT_TRUE(
            qvtest::waitUntil([&] { return to.contains(xdotool({"getwindowfocus"})); }, 10000));
        xdotool(args);
    }
    // Once none of the windows is shown any more (closed, or gone altogether).
    static bool closed(const QStringList& windows, int limitMs = 20000) {
        return qvtest::waitUntil(
            [&] {
                return std::none_of(windows.begin(), windows.end(), [](const QString& w) {
                    QProcess info;
                    info.start(QStringLiteral("xwininfo"), {"-id", w});
                    info.waitForFinished(15000);
                    return info.readAllStandardOutput().contains("Map State: IsViewable");
                });
            },
            limitMs);
    }

    void click(const QStringList& at, int button = 1) {
        xdotool(QStringList{"mousemove", "--window", window} + at +
                QStringList{"click", QString::number(button)});
    }

    // Clicks until the file holds the line: the preview is filled once the chooser's choice has
    // been handed on, and "&Add Button" is disabled again once the item is added, so a click
    // before or after does nothing.
    bool clickUntilFileGets(const QStringList& at, const QByteArray& line) {
        for (int attempt = 0; attempt < 50; ++attempt) {
            click(at);
            if (qvtest::waitUntil([&] { return qvtest::readAll(ini()).contains(line + "\r\n"); },
                                  200)) {
                return true;
            }
        }
        return false;
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

// "Add from list..." opens the chooser; an application found by typing and a program picked
// with "Other file..." are previewed and stored exactly as their drops would be: their paths.
TEST_F(ManagerOnX, TheChooserAddsAnApplicationAndAProgram) {
    const QStringList addFromList = centre(120 + 360, 120 + 1800, 2175, 360);
    const QStringList addButton = centre(7920, 1200, 1095, 255);

    click(addFromList);
    QStringList chooser = windowsNamed(QStringLiteral("^Add from List$"));
    ASSERT_FALSE(chooser.isEmpty());
    keys(chooser, {"type", "quill"});
    keys(chooser, {"key", "Return"});
    ASSERT_TRUE(closed(chooser));
    EXPECT_TRUE(clickUntilFileGets(addButton, "Button 4=" + entry().toUtf8()));

    click(addFromList);
    chooser = windowsNamed(QStringLiteral("^Add from List$"));
    ASSERT_FALSE(chooser.isEmpty());
    keys(chooser, {"key", "alt+o"});
    const QStringList files = windowsNamed(QStringLiteral("^Other File$"));
    ASSERT_FALSE(files.isEmpty());
    // The dialog opens in the editor's working folder, which holds the program. A Return may
    // only close the list of the name's completions; the next one then opens the file.
    keys(files, {"type", QFileInfo(program()).fileName()});
    bool gone = false;
    for (int attempt = 0; attempt < 5 && !gone; ++attempt) {
        xdotool({"key", "Return"});
        gone = closed(chooser + files, 2000);
    }
    ASSERT_TRUE(gone);
    EXPECT_TRUE(clickUntilFileGets(addButton, "Button 5=" + program().toUtf8()));
    EXPECT_TRUE(fileGets("Number of Buttons=5"));
}

// A first start with no menu where the editor looks: the offer makes the starter menu there when
// accepted; declined, nothing is made and the editor says, as before, that the file is missing.
TEST(FirstStartOnX, TheOfferedMenuIsMadeOnlyWhenAccepted) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") ||
        QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty()) {
        GTEST_SKIP() << "needs an X display and xdotool";
    }
    const QByteArray starter = qvtest::readAll(qvtest::binDir() + "/starter/qv.ini");
    ASSERT_TRUE(starter.contains("Button 2=My Documents.lnk\r\n"));
    const std::tuple<const char*, bool, const char*> rows[] = {
        {"QV_MENU", true, "shared/qv.ini"},
        {"XDG_CONFIG_HOME", false, "config/quorvel/qv.ini"},
    };
    for (const auto& [variable, accept, menu] : rows) {
        QTemporaryDir dir;
        // Installed as the package lays it out: the program in bin/, the starter in share/.
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("bin")));
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("share/quorvel/starter")));
        ASSERT_TRUE(QFile::copy(qvtest::binDir() + QStringLiteral("/quorvel-manager"),
                                dir.filePath(QStringLiteral("bin/quorvel-manager"))));
        ASSERT_TRUE(qvtest::writeAll(dir.filePath(QStringLiteral("share/quorvel/starter/qv.ini")),
                                     starter));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.remove(QStringLiteral("QV_MENU"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
        if (QByteArray(variable) == "QV_MENU") {
            env.insert(QStringLiteral("QV_MENU"), dir.filePath(QStringLiteral("shared")));
        }
        QProcess manager;
        manager.setProcessEnvironment(env);
        manager.start(dir.filePath(QStringLiteral("bin/quorvel-manager")), {});
        ASSERT_TRUE(manager.waitForStarted(10000));
        // Before the editor's window: the question is the program's first window.
        const QStringList question =
            xdotool({"search", "--sync", "--all", "--onlyvisible", "--pid",
                     QString::number(manager.processId()), "--name", "^Quorvel Manger$"})
                .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        ASSERT_FALSE(question.isEmpty()) << variable;
        ASSERT_TRUE(qvtest::waitUntil(
            [&] { return question.contains(xdotool({"getwindowfocus"})); }, 10000));
        xdotool({"key", accept ? "Return" : "Escape"});
        const QString path = dir.filePath(QString::fromUtf8(menu));
        if (accept) {
            EXPECT_TRUE(qvtest::waitUntil([&] { return qvtest::readAll(path) == starter; }))
                << variable;
        } else {
            // Declined: today's message that the file is missing, and still no file.
            EXPECT_FALSE(
                xdotool({"search", "--sync", "--all", "--onlyvisible", "--pid",
                         QString::number(manager.processId()), "--name", "^File Not Found$"})
                    .isEmpty());
            EXPECT_FALSE(QFile::exists(path)) << variable;
        }
        EXPECT_EQ(manager.state(), QProcess::Running);
        manager.kill();
        manager.waitForFinished(5000);
    }
}

} // namespace
