// SPDX-License-Identifier: GPL-3.0-or-later
// Each program's window carries its icon (_NET_WM_ICON) for the window list and task bar, also
// where no icon theme holds it: the icon built into the program is used.
#include "tests/support/testutil.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Runs a tool and gives its output, or an empty text when it fails.
QString run(const QString& tool, const QStringList& args) {
    QProcess p;
    p.start(tool, args);
    if (!p.waitForFinished(15000) || p.exitCode() != 0) {
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

TEST(WindowIcons, BothProgramsShowTheirIconWithoutAnIconTheme) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        GTEST_SKIP() << "needs an X display";
    }
    for (const char* tool : {"xdotool", "xprop"}) {
        if (QStandardPaths::findExecutable(tool).isEmpty()) {
            GTEST_SKIP() << "needs " << tool;
        }
    }
    const struct {
        const char* program;
        const char* title;
    } programs[] = {{"quorvel-student", "^Quorvel Student$"},
                    {"quorvel-manager", "^Quorvel Manger$"}};
    for (const auto& c : programs) {
        QTemporaryDir dir;
        ASSERT_TRUE(qvtest::writeAll(dir.filePath("qv.ini"), "[Settings]\r\nNumber of tabs=1\r\n"
                                                             "Tab1=Writing\r\n"));
        ASSERT_TRUE(QDir().mkpath(dir.filePath("share")));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("XDG_CONFIG_HOME", dir.path());
        env.insert("XDG_DATA_HOME", dir.path());
        // No icon theme anywhere: what the window shows comes from the program itself.
        env.insert("XDG_DATA_DIRS", dir.filePath("share"));
        QProcess program;
        program.setProcessEnvironment(env);
        program.start(QDir(qvtest::binDir()).filePath(c.program), {"--menu", dir.path()});
        ASSERT_TRUE(program.waitForStarted(10000)) << c.program;
        const QString window =
            run("xdotool", {"search", "--sync", "--onlyvisible", "--pid",
                            QString::number(program.processId()), "--name", c.title})
                .section(u'\n', 0, 0);
        const QString icon =
            window.isEmpty() ? QString() : run("xprop", {"-id", window, "_NET_WM_ICON"});
        program.kill();
        program.waitForFinished(5000);
        ASSERT_FALSE(window.isEmpty()) << c.program << ": no window";
        // "_NET_WM_ICON(CARDINAL) = 16, 16, ..." or drawn as "Icon (16 x 16):": width and height
        // first, then that many pixels.
        static const QRegularExpression size(QStringLiteral(
            "^_NET_WM_ICON\\(CARDINAL\\) = \\s*(?:Icon \\()?(\\d+)(?:, | x )(\\d+)"));
        const QRegularExpressionMatch m = size.match(icon);
        ASSERT_TRUE(m.hasMatch()) << c.program << ": " << icon.left(200).toStdString();
        EXPECT_GE(m.captured(1).toInt(), 16) << c.program;
        EXPECT_GE(m.captured(2).toInt(), 16) << c.program;
    }
}

} // namespace
