// SPDX-License-Identifier: GPL-3.0-or-later
// The US keyboard layout's translations, as user32 answers them.
#include "platform/keyboard/keyboard.h"

#include <array>

namespace qv::win32 {

namespace {

struct VkInfo {
    BYTE scan = 0; // scan code set 1
    char text = 0; // unshifted character (letters as capitals)
};

using VkTable = std::array<VkInfo, 256>;

constexpr VkTable makeVkTable() {
    VkTable t{};
    auto set = [&t](int vk, int scan, char text = 0) {
        t[static_cast<std::size_t>(vk)] = {static_cast<BYTE>(scan), text};
    };
    // Letters: scan codes in the order of the rows of the keyboard.
    constexpr BYTE letters[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                  0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                  0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
    for (int i = 0; i < 26; ++i) {
        set('A' + i, letters[i], static_cast<char>('A' + i));
    }
    set('0', 0x0B, '0');
    for (int i = 1; i <= 9; ++i) {
        set('0' + i, 0x01 + i, static_cast<char>('0' + i));
    }
    set(0x03, 0x46, 0x03); // VK_CANCEL
    set(0x08, 0x0E, 0x08); // VK_BACK
    set(0x09, 0x0F, 0x09); // VK_TAB
    set(0x0C, 0x4C);       // VK_CLEAR
    set(0x0D, 0x1C, 0x0D); // VK_RETURN
    set(0x10, 0x2A);       // VK_SHIFT
    set(0x11, 0x1D);       // VK_CONTROL
    set(0x12, 0x38);       // VK_MENU
    set(0x13, 0x45);       // VK_PAUSE
    set(0x14, 0x3A);       // VK_CAPITAL
    set(0x1B, 0x01, 0x1B); // VK_ESCAPE
    set(0x20, 0x39, ' ');  // VK_SPACE
    set(0x21, 0x49);       // VK_PRIOR
    set(0x22, 0x51);       // VK_NEXT
    set(0x23, 0x4F);       // VK_END
    set(0x24, 0x47);       // VK_HOME
    set(0x25, 0x4B);       // VK_LEFT
    set(0x26, 0x48);       // VK_UP
    set(0x27, 0x4D);       // VK_RIGHT
    set(0x28, 0x50);       // VK_DOWN
    set(0x2C, 0x54);       // VK_SNAPSHOT
    set(0x2D, 0x52);       // VK_INSERT
    set(0x2E, 0x53);       // VK_DELETE
    set(0x5B, 0x5B);       // VK_LWIN
    set(0x5C, 0x5C);       // VK_RWIN
    set(0x5D, 0x5D);       // VK_APPS
    constexpr BYTE numpad[10] = {0x52, 0x4F, 0x50, 0x51, 0x4B, 0x4C, 0x4D, 0x47, 0x48, 0x49};
    for (int i = 0; i < 10; ++i) {
        set(0x60 + i, numpad[i], static_cast<char>('0' + i));
    }
    set(0x6A, 0x37, '*'); // VK_MULTIPLY
    set(0x6B, 0x4E, '+'); // VK_ADD
    set(0x6D, 0x4A, '-'); // VK_SUBTRACT
    set(0x6E, 0x53, '.'); // VK_DECIMAL
    set(0x6F, 0x35, '/'); // VK_DIVIDE
    for (int i = 0; i < 10; ++i) {
        set(0x70 + i, 0x3B + i); // F1 to F10
    }
    set(0x7A, 0x57); // F11
    set(0x7B, 0x58); // F12
    for (int i = 0; i < 11; ++i) {
        set(0x7C + i, 0x64 + i); // F13 to F23
    }
    set(0x87, 0x76);       // F24
    set(0x90, 0x45);       // VK_NUMLOCK
    set(0x91, 0x46);       // VK_SCROLL
    set(0xA0, 0x2A);       // VK_LSHIFT
    set(0xA1, 0x36);       // VK_RSHIFT
    set(0xA2, 0x1D);       // VK_LCONTROL
    set(0xA3, 0x1D);       // VK_RCONTROL
    set(0xA4, 0x38);       // VK_LMENU
    set(0xA5, 0x38);       // VK_RMENU
    set(0xBA, 0x27, ';');  // VK_OEM_1
    set(0xBB, 0x0D, '=');  // VK_OEM_PLUS
    set(0xBC, 0x33, ',');  // VK_OEM_COMMA
    set(0xBD, 0x0C, '-');  // VK_OEM_MINUS
    set(0xBE, 0x34, '.');  // VK_OEM_PERIOD
    set(0xBF, 0x35, '/');  // VK_OEM_2
    set(0xC0, 0x29, '`');  // VK_OEM_3
    set(0xDB, 0x1A, '[');  // VK_OEM_4
    set(0xDC, 0x2B, '\\'); // VK_OEM_5
    set(0xDD, 0x1B, ']');  // VK_OEM_6
    set(0xDE, 0x28, '\''); // VK_OEM_7
    set(0xE2, 0x56, '\\'); // VK_OEM_102
    return t;
}

constexpr VkTable kVk = makeVkTable();

constexpr SHORT kShift = 0x100;
constexpr SHORT kCtrl = 0x200;

using ScanTable = std::array<SHORT, 256>;

constexpr ScanTable makeCharTable() {
    ScanTable t{};
    for (auto& v : t) {
        v = -1;
    }
    auto set = [&t](unsigned char ch, int code) { t[ch] = static_cast<SHORT>(code); };
    for (int i = 0; i < 26; ++i) {
        set(static_cast<unsigned char>('a' + i), 'A' + i);
        set(static_cast<unsigned char>('A' + i), kShift | ('A' + i));
        // Control characters are typed with Ctrl and a letter.
        set(static_cast<unsigned char>(1 + i), kCtrl | ('A' + i));
    }
    for (int i = 0; i <= 9; ++i) {
        set(static_cast<unsigned char>('0' + i), '0' + i);
    }
    const char* shiftedDigits = ")!@#$%^&*(";
    for (int i = 0; i <= 9; ++i) {
        set(static_cast<unsigned char>(shiftedDigits[i]), kShift | ('0' + i));
    }
    const struct {
        char plain, shifted;
        int vk;
    } oem[] = {{';', ':', 0xBA},  {'=', '+', 0xBB}, {',', '<', 0xBC}, {'-', '_', 0xBD},
               {'.', '>', 0xBE},  {'/', '?', 0xBF}, {'`', '~', 0xC0}, {'[', '{', 0xDB},
               {'\\', '|', 0xDC}, {']', '}', 0xDD}, {'\'', '"', 0xDE}};
    for (const auto& k : oem) {
        set(static_cast<unsigned char>(k.plain), k.vk);
        set(static_cast<unsigned char>(k.shifted), kShift | k.vk);
    }
    set(' ', 0x20);
    set(0x08, 0x08);         // backspace is its own key
    set(0x09, 0x09);         // tab
    set(0x0A, kCtrl | 0x0D); // line feed: Ctrl+Enter
    set(0x0D, 0x0D);         // carriage return
    set(0x1B, kCtrl | 0xDB); // escape: Ctrl+[
    set(0x1C, kCtrl | 0xDC);
    set(0x1D, kCtrl | 0xDD);
    set(0x1E, kCtrl | kShift | '6');
    set(0x1F, kCtrl | kShift | 0xBD);
    set(0x7F, kCtrl | 0x08);
    return t;
}

constexpr ScanTable kChar = makeCharTable();

} // namespace

SHORT VkKeyScanA(char ch) {
    return kChar[static_cast<unsigned char>(ch)];
}

UINT MapVirtualKeyA(UINT uCode, UINT uMapType) {
    switch (uMapType) {
    case MAPVK_VK_TO_VSC:
        return uCode <= 0xFF ? kVk[uCode].scan : 0;
    case MAPVK_VK_TO_CHAR:
        return uCode <= 0xFF ? static_cast<unsigned char>(kVk[uCode].text) : 0;
    case MAPVK_VSC_TO_VK:
        if (uCode == 0 || uCode > 0xFF) {
            return 0;
        }
        // The first key in code order with that scan code: the main block before the keypad,
        // the plain modifiers before their left/right forms, the locks before Cancel and Pause.
        for (UINT vk = 1; vk <= 0xFF; ++vk) {
            if (kVk[vk].scan == uCode && !(vk >= 0x60 && vk <= 0x6F) && vk != 0x03 && vk != 0x13) {
                return vk;
            }
        }
        return 0;
    default:
        return 0;
    }
}

} // namespace qv::win32
