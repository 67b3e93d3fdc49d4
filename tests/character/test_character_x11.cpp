// SPDX-License-Identifier: GPL-3.0-or-later
#include "character/window.h"
#include "tests/support/testutil.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

using namespace qv::character;

namespace {

QImage screenAt(const QRect& r) {
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, r.x(), r.y(), r.width(), r.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

} // namespace

// On a real X server, with no compositor, the desktop shows through around the figure.
TEST(CharacterOnX, AppearsWhereMovedWithTheDesktopAroundIt) {
    CharacterOptions o;
    o.dataDir = qvtest::binDir() + QStringLiteral("/character");
    o.voice = [] { return static_cast<const VoiceEngine*>(nullptr); }; // no voice
    o.silentBaseMs = 60000;
    AnimatedCharacter c(o);
    ASSERT_TRUE(c.Load(QStringLiteral("Merlin"), QStringLiteral("Merlin.acs")));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    // A plain desktop behind the character.
    QWidget desktop;
    desktop.setAutoFillBackground(true);
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(0x3a, 0x6e, 0xa5));
    desktop.setPalette(palette);
    desktop.setWindowFlags(Qt::FramelessWindowHint);
    desktop.setGeometry(screen);
    desktop.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&desktop));
    const QPoint at(screen.width() - 130, screen.height() - 170);
    const QImage before = screenAt(QRect(at, QSize(128, 128)));
    ASSERT_EQ(before.pixel(2, 2), QColor(0x3a, 0x6e, 0xa5).rgb());
    c.MoveTo(at.x(), at.y());
    c.Show();
    c.Speak(QStringLiteral("Welcome ann"));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(c.window()));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(c.balloon()));
    QTest::qWait(300);
    EXPECT_EQ(c.window()->geometry(), QRect(at, QSize(128, 128)));

    const QImage after = screenAt(QRect(at, QSize(128, 128)));
    EXPECT_EQ(after.pixel(2, 2), before.pixel(2, 2));       // corner: desktop
    EXPECT_EQ(after.pixel(125, 2), before.pixel(125, 2));   // corner: desktop
    EXPECT_NE(after.pixel(64, 100), before.pixel(64, 100)); // robe: the character
}
