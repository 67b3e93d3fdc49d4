// SPDX-License-Identifier: GPL-3.0-or-later
#include "student/clsKeyboard.h"

#include "platform/keyboard/keyboard.h"

#include <QCoreApplication>
#include <stdexcept>

using namespace qv::win32;

namespace {

constexpr DWORD kPauseBetweenCharactersMs = 20;

// The ANSI code of a character: Latin-1 characters are themselves, others become '?' as the
// system's conversion to the ANSI code page makes them.
char ansiOf(QChar c) {
    return c.unicode() <= 0xFF ? static_cast<char>(c.unicode()) : '?';
}

// The modifiers of a VkKeyScanA result, in the order they are pressed and released.
constexpr struct {
    int bit;
    BYTE vk;
} kModifiers[] = {{0x100, VK_SHIFT}, {0x200, VK_CONTROL}, {0x400, VK_MENU}};

} // namespace

void clsKeyboard::PressKey(const QString& sKey, bool bHold, bool bRelease) {
    if (sKey.isEmpty()) {
        throw std::invalid_argument("PressKey: sKey is empty");
    }
    const SHORT keyCode = VkKeyScanA(ansiOf(sKey.at(0)));
    // No key of the layout types it (-1): sending its all-ones modifier bits would press
    // Shift, Ctrl and Alt around a key that does not exist.
    if (keyCode == 0 || keyCode == -1) {
        return;
    }
    const UINT wholeCode = static_cast<std::uint16_t>(keyCode);
    const DWORD extended =
        MapVirtualKeyA(wholeCode, MAPVK_VK_TO_CHAR) == 0 ? KEYEVENTF_EXTENDEDKEY : 0;
    const BYTE scan = static_cast<BYTE>(MapVirtualKeyA(wholeCode, MAPVK_VK_TO_VSC));
    const BYTE vk = static_cast<BYTE>(wholeCode & 0xFF);

    if (!bRelease) {
        for (const auto& m : kModifiers) {
            if (wholeCode & m.bit) {
                keybd_event(m.vk, 0, 0, 0);
            }
        }
        keybd_event(vk, scan, extended, 0);
    }
    if (!bHold) {
        keybd_event(vk, scan, extended | KEYEVENTF_KEYUP, 0);
        for (const auto& m : kModifiers) {
            if (wholeCode & m.bit) {
                keybd_event(m.vk, 0, KEYEVENTF_KEYUP, 0);
            }
        }
    }
}

void clsKeyboard::PressString(const QString& sString, bool bDoEvents) {
    QString rest = sString;
    while (!rest.isEmpty()) {
        PressKey(rest.left(1), false, false);
        Sleep(kPauseBetweenCharactersMs);
        if (bDoEvents) {
            QCoreApplication::processEvents();
        }
        rest.remove(0, 1);
    }
}

void clsKeyboard::PressKeyVK(std::int32_t keyPress, bool bHold, bool bRelease, bool bCompatible) {
    if (keyPress < 0 || keyPress > 255) {
        throw std::overflow_error("PressKeyVK: keyPress is not a virtual-key code (0 to 255)");
    }
    const UINT code = static_cast<UINT>(keyPress);
    const DWORD extended =
        MapVirtualKeyA(code, MAPVK_VK_TO_CHAR) == 0 && !bCompatible ? KEYEVENTF_EXTENDEDKEY : 0;
    const BYTE scan = static_cast<BYTE>(MapVirtualKeyA(code, MAPVK_VK_TO_VSC));
    if (!bRelease) {
        keybd_event(static_cast<BYTE>(code), scan, extended, 0);
    }
    if (!bHold) {
        keybd_event(static_cast<BYTE>(code), scan, extended | KEYEVENTF_KEYUP, 0);
    }
}

void clsKeyboard::GetLockStatus(bool& bCapsLock, bool& bNumLock, bool& bScrollLock) {
    bCapsLock = GetKeyState(VK_CAPITAL) != 0;
    bNumLock = GetKeyState(VK_NUMLOCK) != 0;
    bScrollLock = GetKeyState(VK_SCROLL) != 0;
}
