// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Window translucency through the layered-window style (platform/opacity/opacity.h):
// SetTransparency makes a window translucent or opaque, ClearTransparency makes it opaque again and
// repaints it. The handle is the window's native id; results of the window calls are not reported.
#include <cstdint>

class clsAlpha {
public:
    // bEnable true: the window becomes layered with the given alpha (0 invisible, 255 opaque).
    // false: the layered style is removed and the window, its frame and its children repaint.
    void SetTransparency(std::int32_t hWnd, bool bEnable, std::uint8_t alpha);
    // The same as SetTransparency(hWnd, false, 255).
    void ClearTransparency(std::int32_t hWnd);
};
