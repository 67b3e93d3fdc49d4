// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keyboard input: the user32 keyboard functions that clsKeyboard calls, with Windows' meanings
// for the US keyboard layout. The translations (VkKeyScanA, MapVirtualKeyA) are pure tables;
// keybd_event, GetKeyState and Sleep go to a process-wide backend: on X11 the keys are sent
// through XTest, and tests install a fake that records every event.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <map>
#include <vector>

namespace qv {

namespace win32 {

using BYTE = std::uint8_t;
using SHORT = std::int16_t;
using UINT = std::uint32_t;
using DWORD = std::uint32_t;
using ULONG_PTR = std::uintptr_t;

inline constexpr BYTE VK_BACK = 0x08;
inline constexpr BYTE VK_TAB = 0x09;
inline constexpr BYTE VK_RETURN = 0x0D;
inline constexpr BYTE VK_SHIFT = 0x10;
inline constexpr BYTE VK_CONTROL = 0x11;
inline constexpr BYTE VK_MENU = 0x12;
inline constexpr BYTE VK_CAPITAL = 0x14;
inline constexpr BYTE VK_ESCAPE = 0x1B;
inline constexpr BYTE VK_SPACE = 0x20;
inline constexpr BYTE VK_LEFT = 0x25;
inline constexpr BYTE VK_DELETE = 0x2E;
inline constexpr BYTE VK_F1 = 0x70;
inline constexpr BYTE VK_NUMLOCK = 0x90;
inline constexpr BYTE VK_SCROLL = 0x91;

inline constexpr DWORD KEYEVENTF_EXTENDEDKEY = 0x1;
inline constexpr DWORD KEYEVENTF_KEYUP = 0x2;

inline constexpr UINT MAPVK_VK_TO_VSC = 0;
inline constexpr UINT MAPVK_VSC_TO_VK = 1;
inline constexpr UINT MAPVK_VK_TO_CHAR = 2;

// The virtual key that types ch on the US layout in the low byte, and in the high byte the
// modifiers it needs (1 Shift, 2 Ctrl, 4 Alt); -1 when no key types it. ch is an ANSI
// (Windows-1252) code.
SHORT VkKeyScanA(char ch);

// MAPVK_VK_TO_VSC: the scan code (set 1) of a virtual key; MAPVK_VSC_TO_VK: the virtual key of a
// scan code; MAPVK_VK_TO_CHAR: the unshifted character of a virtual key (letters as capitals).
// 0 when there is no translation, which includes every code above 0xFF (such as a VkKeyScanA
// result with its modifier bits).
UINT MapVirtualKeyA(UINT uCode, UINT uMapType);

// Sends one key press (or release, with KEYEVENTF_KEYUP) to the window that has the focus.
void keybd_event(BYTE bVk, BYTE bScan, DWORD dwFlags, ULONG_PTR dwExtraInfo);

// Bit 0x8000 (the value is negative) while the key is held down, bit 1 while a lock key is
// toggled on; 0 otherwise.
SHORT GetKeyState(int nVirtKey);

// Pauses the calling thread.
void Sleep(DWORD dwMilliseconds);

} // namespace win32

class KeyboardService {
public:
    virtual ~KeyboardService() = default;
    virtual void keybd_event(win32::BYTE bVk, win32::BYTE bScan, win32::DWORD dwFlags,
                             win32::ULONG_PTR dwExtraInfo) = 0;
    virtual win32::SHORT GetKeyState(int nVirtKey) = 0;
    virtual void Sleep(win32::DWORD dwMilliseconds) = 0;
};

// Installs a backend for the whole process and returns the previous one; nullptr restores the
// real one (XTest on the X display, or nothing when there is none). The caller keeps ownership.
KeyboardService* installKeyboard(KeyboardService* service);

// The XTest backend, for tests that want it whatever is installed. False from available() when
// no X display or no XTest extension could be reached; every call then does nothing.
KeyboardService& x11Keyboard();
bool x11KeyboardAvailable();

// Records each event instead of sending it; Sleep returns at once. Key states come from states.
class FakeKeyboard final : public KeyboardService {
public:
    struct Event {
        win32::BYTE vk = 0;
        win32::BYTE scan = 0;
        win32::DWORD flags = 0;
        win32::ULONG_PTR extra = 0;
        win32::DWORD sleepMs = 0; // a Sleep when isSleep
        bool isSleep = false;
    };
    void keybd_event(win32::BYTE bVk, win32::BYTE bScan, win32::DWORD dwFlags,
                     win32::ULONG_PTR dwExtraInfo) override {
        events.push_back({bVk, bScan, dwFlags, dwExtraInfo, 0, false});
    }
    win32::SHORT GetKeyState(int nVirtKey) override {
        queried.push_back(nVirtKey);
        const auto it = states.find(nVirtKey);
        return it == states.end() ? win32::SHORT(0) : it->second;
    }
    void Sleep(win32::DWORD dwMilliseconds) override {
        events.push_back({0, 0, 0, 0, dwMilliseconds, true});
    }
    // The events as lines: "down 0x10 scan 0x00 flags 0" / "up 0x41 scan 0x1e flags 0" /
    // "sleep 20".
    QStringList lines() const {
        QStringList out;
        for (const Event& e : events) {
            if (e.isSleep) {
                out << QStringLiteral("sleep %1").arg(e.sleepMs);
                continue;
            }
            out << QStringLiteral("%1 0x%2 scan 0x%3 flags %4")
                       .arg((e.flags & win32::KEYEVENTF_KEYUP) ? QStringLiteral("up")
                                                               : QStringLiteral("down"))
                       .arg(e.vk, 2, 16, QLatin1Char('0'))
                       .arg(e.scan, 2, 16, QLatin1Char('0'))
                       .arg(e.flags & ~win32::KEYEVENTF_KEYUP);
        }
        return out;
    }
    std::vector<Event> events;
    std::vector<int> queried;
    std::map<int, win32::SHORT> states;
};

// Installs a FakeKeyboard for the lifetime of the guard (tests).
class ScopedFakeKeyboard {
public:
    ScopedFakeKeyboard() : previous_(installKeyboard(&fake)) {}
    ~ScopedFakeKeyboard() { installKeyboard(previous_); }
    ScopedFakeKeyboard(const ScopedFakeKeyboard&) = delete;
    ScopedFakeKeyboard& operator=(const ScopedFakeKeyboard&) = delete;
    FakeKeyboard fake;

private:
    KeyboardService* previous_;
};

} // namespace qv
