// SPDX-License-Identifier: GPL-3.0-or-later
// The real quorvel-student under X: a copy of the program beside a fixture menu, run until its
// first page is painted; its window tree and its screenshot must show the buttons of that page.
// A shortcut without a path on that page gives a message while the page is built: the hooks
// record it and go on instead of waiting for somebody to press OK.
#include "tests/support/printers.h"
#include "tests/support/testutil.h"
#include "tools/lnkwriter.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A line of the window tree: class, object name, "x y width height", text; tab-separated.
struct Widget {
    QString cls;
    QRect rect;
    QString text;
};

QList<Widget> readTree(const QString& file) {
    QList<Widget> list;
    for (const QByteArray& line : qvtest::readAll(file).split('\n')) {
        const QList<QByteArray> f = line.split('\t');
        const QList<QByteArray> g = f.value(2).split(' ');
        if (f.size() >= 4 && g.size() == 4) {
            list.push_back({QString::fromUtf8(f[0]),
                            QRect(g[0].toInt(), g[1].toInt(), g[2].toInt(), g[3].toInt()),
                            QString::fromUtf8(f[3])});
        }
    }
    return list;
}

int distinctColours(const QImage& image, const QRect& r) {
    QSet<QRgb> colours;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            colours.insert(image.pixel(x, y));
        }
    }
    return static_cast<int>(colours.size());
}

TEST(StudentEndToEnd, FirstPageShowsItsButtonsAndAMessageDoesNotStopTheHooks) {
    QTemporaryDir dir;
    const QString program = dir.filePath("quorvel-student");
    ASSERT_TRUE(QFile::copy(QDir(qvtest::binDir()).filePath("quorvel-student"), program));
    const QString noPath = dir.filePath("Charlie.lnk");
    ASSERT_TRUE(qvtest::writeAll(noPath, qvtest::writeLnk({})));
    ASSERT_TRUE(
        qvtest::writeAll(dir.filePath("qv.ini"),
                         "[Settings]\r\nNumber of tabs=2\r\nTab1=Writing\r\nTab2=Games\r\n"
                         "[Tab 1]\r\nNumber of Buttons=7\r\nButton 1=/nowhere/Alpha.exe\r\n"
                         "Button 2=/nowhere/Bravo.doc\r\nButton 3=" +
                             noPath.toUtf8() +
                             "\r\n"
                             "Button 4=My Computer.lnk\r\nButton 5=/nowhere/Echo.exe\r\n"
                             "Button 6=/nowhere/Foxtrot.exe\r\nButton 7=/nowhere/Golf.exe\r\n"
                             "[Tab 2]\r\nNumber of Buttons=1\r\nButton 1=/nowhere/Chess.exe\r\n"));

    const QString shot = dir.filePath("shot.png");
    const QString tree = dir.filePath("tree.txt");
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QV_SCREENSHOT", shot);
    env.insert("QV_WINDOW_TREE", tree);
    env.insert("QT_QPA_PLATFORM", "xcb");
    p.setProcessEnvironment(env);
    p.start(program, {});
    ASSERT_TRUE(p.waitForFinished(10000)) << "the launcher did not end within 10 s";
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();

    QList<Widget> buttons;
    QStringList messages;
    for (const Widget& w : readTree(tree)) {
        if (w.cls == "message") {
            messages << w.text;
        } else if (w.cls == "QToolButton" && !w.text.isEmpty()) {
            buttons << w;
        }
    }
    EXPECT_EQ(messages, QStringList({"This shortcut does not contain a path."}));
    // In reading order; where each one stands is test_arrays'.
    std::sort(buttons.begin(), buttons.end(), [](const Widget& a, const Widget& b) {
        return a.rect.y() != b.rect.y() ? a.rect.y() < b.rect.y() : a.rect.x() < b.rect.x();
    });
    QStringList captions;
    for (const Widget& b : buttons) {
        captions << b.text;
    }
    ASSERT_EQ(captions,
              QStringList({"Alpha", "Bravo", "Charlie", "My Computer", "Echo", "Foxtrot", "Golf"}));

    // The picture shows them: a button face holds text and edges, the empty slot beside the
    // seventh is plain background.
    const QImage image(shot);
    ASSERT_FALSE(image.isNull());
    const QRect emptySlot = buttons[6].rect.translated(2 * 97, 0).adjusted(4, 4, -4, -4);
    ASSERT_TRUE(image.rect().contains(emptySlot));
    for (const Widget& b : buttons) {
        EXPECT_GT(distinctColours(image, b.rect), 6) << b.text.toStdString();
    }
    EXPECT_LE(distinctColours(image, emptySlot), 2);
}

// Over ssh or in a boot script there is no display: a mistyped option is still said on the
// terminal with a usage line and exit code 2, and --help and --version still answer.
TEST(StudentEndToEnd, OptionsAreAnsweredWithoutADisplay) {
    struct Case {
        const char* program;
        QStringList arguments;
        int exitCode;
        const char* output; // part of what is printed
    };
    const Case cases[] = {
        {"quorvel-student", {"--bogus"}, 2, "Usage: quorvel-student"},
        {"quorvel-manager", {"--menu"}, 2, "Usage: quorvel-manager"},
        {"quorvel-student", {"room5"}, 2, "Usage:"},
        {"quorvel-student", {"--push-to-talk"}, 2, "push-to-talk"},
        {"quorvel-manager", {"--version"}, 0, "quorvel-manager"},
        {"quorvel-student",
         {"--help", "--menu", "/nonexistent-qv"},
         0,
         "/nonexistent-qv named by the --menu option does not exist"},
    };
    for (const Case& c : cases) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        env.remove("QT_QPA_PLATFORM");
        p.setProcessEnvironment(env);
        p.start(QDir(qvtest::binDir()).filePath(c.program), c.arguments);
        ASSERT_TRUE(p.waitForFinished(5000)) << c.program;
        const QString out =
            QString::fromLocal8Bit(p.readAllStandardOutput() + p.readAllStandardError());
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << qPrintable(out);
        EXPECT_EQ(p.exitCode(), c.exitCode) << qPrintable(out);
        EXPECT_TRUE(out.contains(c.output)) << qPrintable(out);
    }
}

} // namespace
