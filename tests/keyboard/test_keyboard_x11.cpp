// SPDX-License-Identifier: GPL-3.0-or-later
// The real XTest backend on the X server of the test run.
#include "platform/keyboard/keyboard.h"
#include "platform/opacity/opacity.h"
#include "student/clsAlpha.h"
#include "student/clsKeyboard.h"
#include "tests/support/testutil.h"

#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

#include <X11/Xlib.h>

using namespace qv;
using namespace qv::win32;

namespace {

bool capsToggled() {
    return x11Keyboard().GetKeyState(VK_CAPITAL) & 1;
}

// Each test starts and leaves Caps Lock off.
void capsLockOff() {
    if (capsToggled()) {
        clsKeyboard().PressKeyVK(VK_CAPITAL);
    }
}

class XTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(x11KeyboardAvailable()) << "no X display with the XTest extension";
        installKeyboard(&x11Keyboard());
        capsLockOff();
    }
    void TearDown() override {
        capsLockOff();
        installKeyboard(nullptr);
    }
};

} // namespace

TEST_F(XTest, PressStringTypesMixedTextIntoTheFocusedLineEdit) {
    QLineEdit edit;
    edit.resize(400, 30);
    edit.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&edit));
    // With no window manager, nobody gives the new window the keyboard focus.
    Display* d = XOpenDisplay(nullptr);
    ASSERT_NE(d, nullptr);
    XSetInputFocus(d, static_cast<Window>(edit.winId()), RevertToParent, CurrentTime);
    XSync(d, False);
    XCloseDisplay(d);
    edit.activateWindow();
    ASSERT_TRUE(qvtest::waitUntil([&] { return edit.hasFocus(); }));
    const QString text = QStringLiteral("Hello World 2024! a+b=(C*d); \"Yes\"? ~x_y|z{1}<2>,3.4/5");
    clsKeyboard().PressString(text, true);
    EXPECT_TRUE(qvtest::waitUntil([&] { return edit.text() == text; }))
        << edit.text().toStdString();
}

TEST_F(XTest, CapsLockIsReportedWhileHeldAndWhileOn) {
    clsKeyboard kb;
    bool caps = true, num = true, scroll = true;
    kb.GetLockStatus(caps, num, scroll);
    EXPECT_FALSE(caps);

    kb.PressKeyVK(VK_CAPITAL, true, false); // held down
    kb.GetLockStatus(caps, num, scroll);
    EXPECT_TRUE(caps);

    kb.PressKeyVK(VK_CAPITAL, false, true); // released: toggled on
    EXPECT_TRUE(capsToggled());
    kb.GetLockStatus(caps, num, scroll);
    EXPECT_TRUE(caps);
}

// The opacity that the window manager would see, read back from the window's property.
TEST(XOpacity, HalfTransparentWindowCarriesTheOpacityProperty) {
    QWidget w;
    w.resize(160, 90);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const auto opacity = [&]() -> std::optional<std::uint32_t> {
        QProcess xprop;
        xprop.start("xprop", {"-id", QString::number(w.winId()), "_NET_WM_WINDOW_OPACITY"});
        const QByteArray out = xprop.waitForFinished() ? xprop.readAllStandardOutput() : "";
        const qsizetype at = out.indexOf("(CARDINAL) = "); // one 32-bit number
        bool ok = false;
        const std::uint32_t value = out.mid(at + 13).trimmed().toUInt(&ok);
        return ok && at >= 0 ? std::optional(value) : std::nullopt;
    };

    clsAlpha().SetTransparency(static_cast<std::int32_t>(w.winId()), true, 128);
    ASSERT_TRUE(qvtest::waitUntil([&] { return opacity().has_value(); }));
    EXPECT_NEAR(*opacity() / 4294967295.0, 128 / 255.0, 0.002);

    clsAlpha().ClearTransparency(static_cast<std::int32_t>(w.winId()));
    ASSERT_TRUE(qvtest::waitUntil([&] { return opacity().value_or(0xffffffffu) == 0xffffffffu; }));
}
