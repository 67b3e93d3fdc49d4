// SPDX-License-Identifier: GPL-3.0-or-later
// Keys through the XTest extension: a virtual key becomes the keysym it stands for on the US
// layout, and that keysym the keycode of the running keyboard map.
#include "platform/keyboard/keyboard.h"

#include <QByteArray>
#include <chrono>
#include <mutex>
#include <thread>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace qv {

namespace {

using namespace win32;

KeySym keysymOf(BYTE vk) {
    if (vk >= 'A' && vk <= 'Z') {
        return XK_a + (vk - 'A');
    }
    if (vk >= '0' && vk <= '9') {
        return XK_0 + (vk - '0');
    }
    if (vk >= 0x60 && vk <= 0x69) {
        return XK_KP_0 + (vk - 0x60);
    }
    if (vk >= 0x70 && vk <= 0x87) {
        return XK_F1 + (vk - 0x70);
    }
    switch (vk) {
    case 0x03:
        return XK_Cancel;
    case 0x08:
        return XK_BackSpace;
    case 0x09:
        return XK_Tab;
    case 0x0C:
        return XK_Clear;
    case 0x0D:
        return XK_Return;
    case 0x10:
        return XK_Shift_L;
    case 0x11:
        return XK_Control_L;
    case 0x12:
        return XK_Alt_L;
    case 0x13:
        return XK_Pause;
    case 0x14:
        return XK_Caps_Lock;
    case 0x1B:
        return XK_Escape;
    case 0x20:
        return XK_space;
    case 0x21:
        return XK_Prior;
    case 0x22:
        return XK_Next;
    case 0x23:
        return XK_End;
    case 0x24:
        return XK_Home;
    case 0x25:
        return XK_Left;
    case 0x26:
        return XK_Up;
    case 0x27:
        return XK_Right;
    case 0x28:
        return XK_Down;
    case 0x2C:
        return XK_Print;
    case 0x2D:
        return XK_Insert;
    case 0x2E:
        return XK_Delete;
    case 0x2F:
        return XK_Help;
    case 0x5B:
        return XK_Super_L;
    case 0x5C:
        return XK_Super_R;
    case 0x5D:
        return XK_Menu;
    case 0x6A:
        return XK_KP_Multiply;
    case 0x6B:
        return XK_KP_Add;
    case 0x6C:
        return XK_KP_Separator;
    case 0x6D:
        return XK_KP_Subtract;
    case 0x6E:
        return XK_KP_Decimal;
    case 0x6F:
        return XK_KP_Divide;
    case 0x90:
        return XK_Num_Lock;
    case 0x91:
        return XK_Scroll_Lock;
    case 0xA0:
        return XK_Shift_L;
    case 0xA1:
        return XK_Shift_R;
    case 0xA2:
        return XK_Control_L;
    case 0xA3:
        return XK_Control_R;
    case 0xA4:
        return XK_Alt_L;
    case 0xA5:
        return XK_Alt_R;
    case 0xBA:
        return XK_semicolon;
    case 0xBB:
        return XK_equal;
    case 0xBC:
        return XK_comma;
    case 0xBD:
        return XK_minus;
    case 0xBE:
        return XK_period;
    case 0xBF:
        return XK_slash;
    case 0xC0:
        return XK_grave;
    case 0xDB:
        return XK_bracketleft;
    case 0xDC:
        return XK_backslash;
    case 0xDD:
        return XK_bracketright;
    case 0xDE:
        return XK_apostrophe;
    case 0xE2:
        return XK_less;
    default:
        return NoSymbol;
    }
}

class XTestKeyboard final : public KeyboardService {
public:
    XTestKeyboard() {
        display_ = XOpenDisplay(nullptr);
        if (!display_) {
            return;
        }
        int event = 0, error = 0, major = 0, minor = 0;
        if (!XTestQueryExtension(display_, &event, &error, &major, &minor)) {
            XCloseDisplay(display_);
            display_ = nullptr;
        }
    }
    ~XTestKeyboard() override {
        if (display_) {
            XCloseDisplay(display_);
        }
    }
    bool available() const { return display_ != nullptr; }

    void keybd_event(BYTE bVk, BYTE, DWORD dwFlags, ULONG_PTR) override {
        std::lock_guard guard(lock_);
        const KeySym sym = keysymOf(bVk);
        const KeyCode code = display_ && sym != NoSymbol ? XKeysymToKeycode(display_, sym) : 0;
        if (code == 0) {
            return; // this keyboard map has no such key
        }
        const bool down = !(dwFlags & KEYEVENTF_KEYUP);
        // On a map where the symbol sits on the shifted level of its key (not the US map), the
        // key needs Shift to give what the virtual key stands for.
        const bool needsShift = XkbKeycodeToKeysym(display_, code, 0, 0) != sym &&
                                XkbKeycodeToKeysym(display_, code, 0, 1) == sym;
        const KeyCode shift = XKeysymToKeycode(display_, XK_Shift_L);
        if (needsShift && down && shift) {
            XTestFakeKeyEvent(display_, shift, True, CurrentTime);
        }
        XTestFakeKeyEvent(display_, code, down ? True : False, CurrentTime);
        if (needsShift && down && shift) {
            XTestFakeKeyEvent(display_, shift, False, CurrentTime);
        }
        XSync(display_, False);
    }

    SHORT GetKeyState(int nVirtKey) override {
        std::lock_guard guard(lock_);
        if (!display_ || nVirtKey < 0 || nVirtKey > 0xFF) {
            return 0;
        }
        int state = 0;
        const KeySym sym = keysymOf(static_cast<BYTE>(nVirtKey));
        const KeyCode code = sym != NoSymbol ? XKeysymToKeycode(display_, sym) : 0;
        if (code) {
            char keys[32] = {};
            XQueryKeymap(display_, keys);
            if (keys[code / 8] & (1 << (code % 8))) {
                state |= 0xFF80; // held down, as user32 reports it
            }
        }
        if (toggled(static_cast<BYTE>(nVirtKey))) {
            state |= 1;
        }
        return static_cast<SHORT>(state);
    }

    void Sleep(DWORD dwMilliseconds) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(dwMilliseconds));
    }

private:
    bool toggled(BYTE vk) {
        if (vk == VK_CAPITAL || vk == VK_NUMLOCK) {
            XkbStateRec xkb{};
            if (XkbGetState(display_, XkbUseCoreKbd, &xkb) != Success) {
                return false;
            }
            const unsigned mask =
                vk == VK_CAPITAL ? LockMask : XkbKeysymToModifiers(display_, XK_Num_Lock);
            return mask != 0 && (xkb.locked_mods & mask) != 0;
        }
        if (vk == VK_SCROLL) {
            const Atom name = XInternAtom(display_, "Scroll Lock", False);
            Bool on = False;
            return XkbGetNamedIndicator(display_, name, nullptr, &on, nullptr, nullptr) && on;
        }
        return false;
    }

    Display* display_ = nullptr;
    std::mutex lock_;
};

XTestKeyboard& theX11Keyboard() {
    static XTestKeyboard keyboard;
    return keyboard;
}

} // namespace

KeyboardService& x11Keyboard() {
    return theX11Keyboard();
}

bool x11KeyboardAvailable() {
    return theX11Keyboard().available();
}

} // namespace qv
