// The real XTest backend on the X server of the test run.
#include "platform/keyboard.h"
#include "platform/opacity.h"
#include "student/clsAlpha.h"
#include "student/clsKeyboard.h"
#include "tests/support/testutil.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

using namespace qv;
using namespace qv::win32;

namespace {

// With no window manager, nobody gives the new window the keyboard focus.
void focus(QWidget& w) {
    Display* d = XOpenDisplay(nullptr);
    ASSERT_NE(d, nullptr);
    XSetInputFocus(d, static_cast<Window>(w.winId()), RevertToParent, CurrentTime);
    XSync(d, False);
    XCloseDisplay(d);
    w.activateWindow();
}

bool capsToggled() {
    return x11Keyboard().GetKeyState(VK_CAPITAL) & 1;
}

void pressCapsLock() {
    clsKeyboard().PressKeyVK(VK_CAPITAL);
}

class XTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(x11KeyboardAvailable()) << "no X display with the XTest extension";
        installKeyboard(&x11Keyboard());
        if (capsToggled()) {
            pressCapsLock();
        }
    }
    void TearDown() override {
        if (capsToggled()) {
            pressCapsLock();
        }
        installKeyboard(nullptr);
    }
};

} // namespace

TEST_F(XTest, PressStringTypesMixedTextIntoTheFocusedLineEdit) {
    QLineEdit edit;
    edit.resize(400, 30);
    edit.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&edit));
    focus(edit);
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
    EXPECT_NE(x11Keyboard().GetKeyState(VK_CAPITAL) & 0x8000, 0);
    kb.GetLockStatus(caps, num, scroll);
    EXPECT_TRUE(caps);

    kb.PressKeyVK(VK_CAPITAL, false, true); // released: toggled on
    EXPECT_EQ(x11Keyboard().GetKeyState(VK_CAPITAL) & 0x8000, 0);
    EXPECT_TRUE(capsToggled());
    kb.GetLockStatus(caps, num, scroll);
    EXPECT_TRUE(caps);

    pressCapsLock(); // off again
    EXPECT_FALSE(capsToggled());
    kb.GetLockStatus(caps, num, scroll);
    EXPECT_FALSE(caps);
}

// The opacity that the window manager would see, read back from the window's property.
TEST(XOpacity, HalfTransparentWindowCarriesTheOpacityProperty) {
    QWidget w;
    w.resize(160, 90);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    Display* d = XOpenDisplay(nullptr);
    ASSERT_NE(d, nullptr);
    const Atom opacity = XInternAtom(d, "_NET_WM_WINDOW_OPACITY", False);
    auto readOpacity = [&]() -> std::optional<std::uint32_t> {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        XSync(d, False);
        if (XGetWindowProperty(d, static_cast<Window>(w.winId()), opacity, 0, 1, False, XA_CARDINAL,
                               &type, &format, &count, &after, &data) != Success ||
            !data || count != 1) {
            if (data) {
                XFree(data);
            }
            return std::nullopt;
        }
        // 32-bit properties come back in a long.
        const auto value =
            static_cast<std::uint32_t>(*reinterpret_cast<unsigned long*>(data) & 0xffffffffUL);
        XFree(data);
        return value;
    };

    clsAlpha().SetTransparency(static_cast<std::int32_t>(w.winId()), true, 128);
    QApplication::processEvents();
    ASSERT_TRUE(qvtest::waitUntil([&] { return readOpacity().has_value(); }));
    const double level = *readOpacity() / 4294967295.0;
    EXPECT_NEAR(level, 128 / 255.0, 0.002);

    clsAlpha().ClearTransparency(static_cast<std::int32_t>(w.winId()));
    QApplication::processEvents();
    ASSERT_TRUE(qvtest::waitUntil([&] {
        const auto v = readOpacity();
        return !v || *v == 0xffffffffu;
    }));
    XCloseDisplay(d);
}
