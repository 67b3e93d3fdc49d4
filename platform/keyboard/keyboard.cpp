// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/keyboard/keyboard.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace qv {

namespace {

std::atomic<KeyboardService*> installed{nullptr};

KeyboardService& current() {
    KeyboardService* service = installed.load();
    return service ? *service : x11Keyboard();
}

} // namespace

KeyboardService* installKeyboard(KeyboardService* service) {
    return installed.exchange(service);
}

namespace win32 {

void keybd_event(BYTE bVk, BYTE bScan, DWORD dwFlags, ULONG_PTR dwExtraInfo) {
    current().keybd_event(bVk, bScan, dwFlags, dwExtraInfo);
}

SHORT GetKeyState(int nVirtKey) {
    return current().GetKeyState(nVirtKey);
}

void Sleep(DWORD dwMilliseconds) {
    current().Sleep(dwMilliseconds);
}

} // namespace win32

} // namespace qv
