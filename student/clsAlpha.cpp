// SPDX-License-Identifier: GPL-3.0-or-later
#include "student/clsAlpha.h"

#include "platform/opacity/opacity.h"

using namespace qv::win32;

void clsAlpha::SetTransparency(std::int32_t hWnd, bool bEnable, std::uint8_t alpha) {
    // Window ids are unsigned; the 32-bit handle is taken as its bit pattern.
    const HWND window = static_cast<std::uint32_t>(hWnd);
    LONG style = GetWindowLongA(window, GWL_EXSTYLE);
    if (bEnable) {
        style |= WS_EX_LAYERED;
    } else {
        style &= ~WS_EX_LAYERED;
    }
    SetWindowLongA(window, GWL_EXSTYLE, style);
    if (bEnable) {
        SetLayeredWindowAttributes(window, 0, alpha, LWA_ALPHA);
    } else {
        RedrawWindow(window, nullptr, nullptr,
                     RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
    }
}

void clsAlpha::ClearTransparency(std::int32_t hWnd) {
    SetTransparency(hWnd, false, 255);
}
