#include "platform/keyboard.h"
#include "platform/opacity.h"
#include "student/clsAlpha.h"
#include "student/clsKeyboard.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>
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

// The printable characters are all checked against the keyboard's rows below.
TEST(UsLayout, VkKeyScanGivesKeyAndShiftBits) {
    const struct {
        char ch;
        int expected;
    } rows[] = {{'a', 0x41},     {'A', 0x141}, {')', 0x130},  {'\\', 0xDC}, {'|', 0x1DC},
                {'\t', 0x09},    {'\r', 0x0D}, {'\n', 0x20D}, {'\b', 0x08}, {'\x01', 0x241},
                {'\x1b', 0x2DB}, {'\0', -1},   {'\xE9', -1},  {'\x80', -1}};
    for (const auto& r : rows) {
        EXPECT_EQ(VkKeyScanA(r.ch), r.expected)
            << "character code " << int(static_cast<unsigned char>(r.ch));
    }
}

// A VkKeyScanA result with its Shift bit (0x141) is no virtual key.
TEST(UsLayout, MapVirtualKeyTranslates) {
    const struct {
        UINT code, type, expected;
    } rows[] = {{'A', MAPVK_VK_TO_VSC, 0x1E},      {'0', MAPVK_VK_TO_VSC, 0x0B},
                {VK_SHIFT, MAPVK_VK_TO_VSC, 0x2A}, {VK_NUMLOCK, MAPVK_VK_TO_VSC, 0x45},
                {VK_LEFT, MAPVK_VK_TO_VSC, 0x4B},  {VK_F1, MAPVK_VK_TO_VSC, 0x3B},
                {0x7B, MAPVK_VK_TO_VSC, 0x58},     {0xDE, MAPVK_VK_TO_VSC, 0x28},
                {0x141, MAPVK_VK_TO_VSC, 0},       {0x141, MAPVK_VK_TO_CHAR, 0},
                {0xFF, MAPVK_VK_TO_VSC, 0},        {VK_RETURN, MAPVK_VK_TO_CHAR, 0x0D},
                {VK_LEFT, MAPVK_VK_TO_CHAR, 0},    {VK_SHIFT, MAPVK_VK_TO_CHAR, 0},
                {0x6A, MAPVK_VK_TO_CHAR, '*'},     {0x47, MAPVK_VSC_TO_VK, 0x24},
                {0, MAPVK_VSC_TO_VK, 0},           {'A', 7, 0}};
    for (const auto& r : rows) {
        EXPECT_EQ(MapVirtualKeyA(r.code, r.type), r.expected)
            << "code 0x" << std::hex << r.code << " type " << r.type;
    }
}

// Every printable character's key gives back that character, unshifted or through the
// shifted row of the US keyboard; and its scan code maps back to the same key.
TEST(UsLayout, TablesAgreeForEveryPrintableCharacter) {
    const QByteArray shiftedRow = "~!@#$%^&*()_+{}|:\"<>?";
    const QByteArray plainRow = "`1234567890-=[]\\;',./";
    for (int c = 0x20; c < 0x7F; ++c) {
        const SHORT code = VkKeyScanA(static_cast<char>(c));
        ASSERT_GT(code, 0) << "character " << char(c);
        const UINT vk = code & 0xFF;
        const char base = static_cast<char>(MapVirtualKeyA(vk, MAPVK_VK_TO_CHAR));
        char expected = static_cast<char>(std::toupper(c));
        const qsizetype at = shiftedRow.indexOf(static_cast<char>(c));
        if (at >= 0) {
            expected = plainRow.at(at);
        }
        EXPECT_EQ(base, expected) << "character " << char(c);
        EXPECT_EQ((code & 0x100) != 0, std::isupper(c) || at >= 0) << "character " << char(c);
        EXPECT_EQ(MapVirtualKeyA(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC), MAPVK_VSC_TO_VK), vk)
            << "character " << char(c);
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
        char how; // 'k' PressKey, 'h' held, 'r' released, 'b' both flags, 's' PressString
        QString expected;
    } rows[] = {
        {"A", 'k', shift + "down 0x41 scan 0x00 flags 1 | up 0x41 scan 0x00 flags 1" + unshift},
        {"abc", 'k', a}, // only the first character counts
        // Ctrl+Shift+6, held and then released: key, Shift, Ctrl in that order both ways.
        {"\x1e", 'h', shift + "down 0x11 scan 0x00 flags 0 | down 0x36 scan 0x00 flags 1"},
        {"\x1e", 'r', "up 0x36 scan 0x00 flags 1" + unshift + " | up 0x11 scan 0x00 flags 0"},
        // Outside the ANSI page: a question mark.
        {"\u20ac", 'k',
         shift + "down 0xbf scan 0x00 flags 1 | up 0xbf scan 0x00 flags 1" + unshift},
        // Nothing for both flags, or for a character without a key.
        {"A", 'b', ""},
        {"\u00e9", 'k', ""},
        {"", 's', ""},
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
            clsKeyboard().PressKey(r.text, r.how == 'h' || r.how == 'b',
                                   r.how == 'r' || r.how == 'b');
        }
        EXPECT_EQ(keys.fake.lines().join(" | "), r.expected) << r.text.toStdString();
        for (const auto& e : keys.fake.events) {
            EXPECT_EQ(e.extra, 0u);
        }
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
        {'A', 'k', "down 0x41 scan 0x1e flags 0 | up 0x41 scan 0x1e flags 0"},
        {VK_SHIFT, 'k', "down 0x10 scan 0x2a flags 1 | up 0x10 scan 0x2a flags 1"},
        {VK_CAPITAL, 'h', "down 0x14 scan 0x3a flags 1"},
        {VK_CAPITAL, 'R', "up 0x14 scan 0x3a flags 0"},
        {VK_CAPITAL, 'b', ""},
        {0, 'k', "down 0x00 scan 0x00 flags 1 | up 0x00 scan 0x00 flags 1"},
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
    } rows[] = {{0, 0, 0, false, false, false},   {1, 0, 0, true, false, false},
                {-128, 0, 0, true, false, false}, {-127, 1, 0, true, true, false},
                {0, 0, 1, false, false, true},    {0, -128, -127, false, true, true}};
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

// --- window opacity, the real backend on Qt windows ------------------------------------------

namespace {

class Counting final : public QLabel {
public:
    using QLabel::QLabel;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent* e) override {
        ++paints;
        QLabel::paintEvent(e);
    }
};

struct Window {
    QWidget top;
    Counting* child = new Counting(QStringLiteral("Quorvel"), &top);
    Window() {
        top.resize(200, 100);
        top.show();
        QApplication::processEvents();
    }
    std::int32_t handle() { return static_cast<std::int32_t>(top.winId()); }
};

} // namespace

// SetTransparency makes the window layered and translucent; clearing it makes it opaque again
// and repaints its children.
TEST(QtOpacity, SetAndClearTransparency) {
    Window w;
    clsAlpha().SetTransparency(w.handle(), true, 128);
    EXPECT_NEAR(w.top.windowOpacity(), 128 / 255.0, 0.002);
    EXPECT_EQ(GetWindowLongA(w.top.winId(), GWL_EXSTYLE) & WS_EX_LAYERED, WS_EX_LAYERED);
    QApplication::processEvents();
    const int before = w.child->paints;
    clsAlpha().ClearTransparency(w.handle());
    EXPECT_DOUBLE_EQ(w.top.windowOpacity(), 1.0);
    EXPECT_EQ(GetWindowLongA(w.top.winId(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    QApplication::processEvents();
    EXPECT_GT(w.child->paints, before);
}

// clsAlpha reads the style back before it changes it: each window keeps its own.
TEST(QtOpacity, StyleIsKeptPerWindow) {
    Window a, b;
    EXPECT_EQ(SetWindowLongA(a.top.winId(), GWL_EXSTYLE, 0x100), 0);
    EXPECT_EQ(SetWindowLongA(b.top.winId(), GWL_EXSTYLE, 0x8), 0);
    EXPECT_EQ(GetWindowLongA(a.top.winId(), GWL_EXSTYLE), 0x100);
    EXPECT_EQ(GetWindowLongA(b.top.winId(), GWL_EXSTYLE), 0x8);
    EXPECT_EQ(SetWindowLongA(a.top.winId(), GWL_EXSTYLE, 0x200), 0x100);
}

TEST(QtOpacity, UnknownWindowIsRefused) {
    const HWND nobody = 0x7ffffff0;
    EXPECT_EQ(GetWindowLongA(nobody, GWL_EXSTYLE), 0);
    EXPECT_EQ(SetWindowLongA(nobody, GWL_EXSTYLE, WS_EX_LAYERED), 0);
    EXPECT_EQ(SetLayeredWindowAttributes(nobody, 0, 128, LWA_ALPHA), 0);
    EXPECT_EQ(RedrawWindow(nobody, nullptr, nullptr, RDW_INVALIDATE), 0);
    EXPECT_EQ(GetWindowLongA(0, GWL_EXSTYLE), 0);
    clsAlpha().SetTransparency(0, true, 128); // nothing to do, and no crash
}
