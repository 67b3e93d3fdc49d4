// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/keyboard/keyboard.h"
#include "platform/opacity/opacity.h"
#include "student/clsAlpha.h"
#include "student/clsKeyboard.h"

#include <QCoreApplication>
#include <QTimer>
#include <gtest/gtest.h>

#include <cctype>
#include <optional>
#include <stdexcept>

using namespace qv;
using namespace qv::win32;

void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

// --- the US layout tables ----------------------------------------------------------------

// The printable characters are typed whole by the X keyboard test.
TEST(UsLayout, VkKeyScanGivesKeyAndShiftBits) {
    const struct {
        char ch;
        int expected;
    } rows[] = {{'a', 0x41},   {'A', 0x141},    {')', 0x130}, {'\t', 0x09},
                {'\n', 0x20D}, {'\x01', 0x241}, {'\0', -1},   {'\xE9', -1}};
    for (const auto& r : rows) {
        EXPECT_EQ(VkKeyScanA(r.ch), r.expected)
            << "character code " << int(static_cast<unsigned char>(r.ch));
    }
}

// A VkKeyScanA result with its Shift bit (0x141) is no virtual key.
TEST(UsLayout, MapVirtualKeyTranslates) {
    const struct {
        UINT code, type, expected;
    } rows[] = {{0x141, MAPVK_VK_TO_VSC, 0},    {0x141, MAPVK_VK_TO_CHAR, 0},
                {0xFF, MAPVK_VK_TO_VSC, 0},     {VK_RETURN, MAPVK_VK_TO_CHAR, 0x0D},
                {VK_LEFT, MAPVK_VK_TO_CHAR, 0}, {0x47, MAPVK_VSC_TO_VK, 0x24},
                {0, MAPVK_VSC_TO_VK, 0},        {'A', 7, 0}};
    for (const auto& r : rows) {
        EXPECT_EQ(MapVirtualKeyA(r.code, r.type), r.expected)
            << "code 0x" << std::hex << r.code << " type " << r.type;
    }
}

// --- clsKeyboard with the recording fake ---------------------------------------------------

// The key events of PressKey and PressString: Shift, Ctrl and Alt around the key, the key with
// its scan code (or, when the whole code has none, scan code 0 and the extended flag), and for a
// string a 20 ms pause after each character, also after one without a key.
TEST(PressKey, SendsModifiersAroundTheKey) {
    const QString shift = "down 0x10 scan 0x00 flags 0 | ";
    const QString unshift = " | up 0x10 scan 0x00 flags 0";
    const QString a = "down 0x41 scan 0x1e flags 0 | up 0x41 scan 0x1e flags 0";
    const struct {
        QString text;
        char how; // 'k' PressKey, 'h' held, 'r' released, 's' PressString
        QString expected;
    } rows[] = {
        {"A", 'k', shift + "down 0x41 scan 0x00 flags 1 | up 0x41 scan 0x00 flags 1" + unshift},
        // Ctrl+Shift+6, held and then released: key, Shift, Ctrl in that order both ways.
        {"\x1e", 'h', shift + "down 0x11 scan 0x00 flags 0 | down 0x36 scan 0x00 flags 1"},
        {"\x1e", 'r', "up 0x36 scan 0x00 flags 1" + unshift + " | up 0x11 scan 0x00 flags 0"},
        // Outside the ANSI page: a question mark.
        {"\u20ac", 'k',
         shift + "down 0xbf scan 0x00 flags 1 | up 0xbf scan 0x00 flags 1" + unshift},
        // Nothing for a character without a key.
        {"\u00e9", 'k', ""},
        {"Hi!", 's',
         shift + "down 0x48 scan 0x00 flags 1 | up 0x48 scan 0x00 flags 1" + unshift +
             " | sleep 20 | down 0x49 scan 0x17 flags 0 | up 0x49 scan 0x17 flags 0 | sleep 20 | " +
             shift + "down 0x31 scan 0x00 flags 1 | up 0x31 scan 0x00 flags 1" + unshift +
             " | sleep 20"},
        {"\u00e9a", 's', "sleep 20 | " + a + " | sleep 20"},
    };
    for (const auto& r : rows) {
        ScopedFakeKeyboard keys;
        if (r.how == 's') {
            clsKeyboard().PressString(r.text, false);
        } else {
            clsKeyboard().PressKey(r.text, r.how == 'h', r.how == 'r');
        }
        EXPECT_EQ(keys.fake.lines().join(" | "), r.expected) << r.text.toStdString();
    }
    ScopedFakeKeyboard keys;
    EXPECT_THROW(clsKeyboard().PressKey(QString()), std::invalid_argument);
    EXPECT_TRUE(keys.fake.events.empty());
}

// With bDoEvents a waiting window event runs after the first character; without, only after
// the whole string.
TEST(PressString, DoEventsLetsWaitingEventsRunBetweenCharacters) {
    for (const bool doEvents : {true, false}) {
        ScopedFakeKeyboard keys;
        std::optional<std::size_t> eventsWhenRun;
        QTimer::singleShot(0, [&] { eventsWhenRun = keys.fake.events.size(); });
        clsKeyboard().PressString(QStringLiteral("ab"), doEvents);
        // With: after a down, an up and the pause.
        EXPECT_EQ(eventsWhenRun, doEvents ? std::optional<std::size_t>(3) : std::nullopt);
        QCoreApplication::processEvents();
        EXPECT_TRUE(eventsWhenRun.has_value());
    }
}

// A virtual key goes out as it is, extended when it types no character unless compatible.
TEST(PressKeyVK, SendsTheKeyWithoutModifiers) {
    const struct {
        int key;
        char how; // 'k' pressed, 'h' held, 'r' released, 'b' both flags; capital: compatible
        QString expected;
    } rows[] = {
        {VK_LEFT, 'k', "down 0x25 scan 0x4b flags 1 | up 0x25 scan 0x4b flags 1"},
        {VK_LEFT, 'K', "down 0x25 scan 0x4b flags 0 | up 0x25 scan 0x4b flags 0"},
        {VK_CAPITAL, 'h', "down 0x14 scan 0x3a flags 1"},
        {VK_CAPITAL, 'R', "up 0x14 scan 0x3a flags 0"},
        {VK_CAPITAL, 'b', ""},
        {255, 'K', "down 0xff scan 0x00 flags 0 | up 0xff scan 0x00 flags 0"},
    };
    for (const auto& r : rows) {
        ScopedFakeKeyboard keys;
        const char how = static_cast<char>(std::tolower(r.how));
        clsKeyboard().PressKeyVK(r.key, how == 'h' || how == 'b', how == 'r' || how == 'b',
                                 std::isupper(r.how) != 0);
        EXPECT_EQ(keys.fake.lines().join(" | "), r.expected) << "key " << r.key;
    }
    // Out of range: an overflow before any event.
    ScopedFakeKeyboard keys;
    for (const int bad : {-1, 256, 0x141, -2147483647 - 1, 2147483647}) {
        EXPECT_THROW(clsKeyboard().PressKeyVK(bad), std::overflow_error) << bad;
    }
    EXPECT_TRUE(keys.fake.events.empty());
}

// A lock is on when its key is toggled or held.
TEST(LockStatus, TrueWhenToggledOrHeld) {
    const struct {
        SHORT caps, num, scroll;
        bool expectCaps, expectNum, expectScroll;
    } rows[] = {{0, 0, 0, false, false, false},
                {-128, 0, 0, true, false, false},
                {-127, 1, 0, true, true, false},
                {0, -128, -127, false, true, true}};
    for (const auto& r : rows) {
        ScopedFakeKeyboard keys;
        keys.fake.states = {{VK_CAPITAL, r.caps}, {VK_NUMLOCK, r.num}, {VK_SCROLL, r.scroll}};
        bool caps = !r.expectCaps, num = !r.expectNum, scroll = !r.expectScroll;
        clsKeyboard().GetLockStatus(caps, num, scroll);
        EXPECT_EQ(caps, r.expectCaps) << r.caps;
        EXPECT_EQ(num, r.expectNum) << r.num;
        EXPECT_EQ(scroll, r.expectScroll) << r.scroll;
    }
}

// --- window opacity: set and clear are checked on the X server, through the property the
// window manager reads.

// A handle of no window: nothing to do, nothing stored, and no crash.
TEST(QtOpacity, UnknownWindowIsLeftAlone) {
    const HWND nobody = 0x7ffffff0;
    clsAlpha().SetTransparency(static_cast<std::int32_t>(nobody), true, 128);
    EXPECT_EQ(GetWindowLongA(nobody, GWL_EXSTYLE), 0);
    clsAlpha().ClearTransparency(0);
}
