// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Window opacity: the user32 functions that clsAlpha calls, with Windows' meanings. The extended
// style is kept per window; the layered style with an alpha value becomes the window's opacity,
// and a redraw becomes a repaint of the window and its children. The backend is process-wide;
// tests install a fake that records every call.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <map>

namespace qv {

namespace win32 {

using HWND = std::uintptr_t; // the native window id (QWidget::winId())
using LONG = std::int32_t;
using BOOL = int;
using BYTE = std::uint8_t;
using UINT = std::uint32_t;
using DWORD = std::uint32_t;
using COLORREF = std::uint32_t;
struct RECT;
struct RegionHandle; // opaque, as the Windows region handle is
using HRGN = RegionHandle*;

inline constexpr int GWL_EXSTYLE = -20;
inline constexpr LONG WS_EX_LAYERED = 0x80000;
inline constexpr DWORD LWA_COLORKEY = 0x1;
inline constexpr DWORD LWA_ALPHA = 0x2;
inline constexpr UINT RDW_INVALIDATE = 0x1;
inline constexpr UINT RDW_ERASE = 0x4;
inline constexpr UINT RDW_ALLCHILDREN = 0x80;
inline constexpr UINT RDW_FRAME = 0x400;

// GWL_EXSTYLE only: the window's extended style (0 for a window never given one). 0 for an
// unknown window or another index.
LONG GetWindowLongA(HWND hWnd, int nIndex);
// GWL_EXSTYLE only: stores the style and returns the previous one; 0 for an unknown window or
// another index (nothing stored). Clearing WS_EX_LAYERED makes the window opaque again.
LONG SetWindowLongA(HWND hWnd, int nIndex, LONG dwNewLong);
// With LWA_ALPHA, sets the window's opacity to bAlpha / 255 (0 invisible, 255 opaque). Fails
// (FALSE) for an unknown window, one without WS_EX_LAYERED, or without LWA_ALPHA (colour keys
// are not supported).
BOOL SetLayeredWindowAttributes(HWND hWnd, COLORREF crKey, BYTE bAlpha, DWORD dwFlags);
// RDW_INVALIDATE repaints the window (RDW_ALLCHILDREN: and all its children); the update
// rectangle and region must be null (the whole window). FALSE for an unknown window.
BOOL RedrawWindow(HWND hWnd, const RECT* lprcUpdate, HRGN hrgnUpdate, UINT flags);

} // namespace win32

class OpacityService {
public:
    virtual ~OpacityService() = default;
    virtual win32::LONG GetWindowLongA(win32::HWND hWnd, int nIndex) = 0;
    virtual win32::LONG SetWindowLongA(win32::HWND hWnd, int nIndex, win32::LONG dwNewLong) = 0;
    virtual win32::BOOL SetLayeredWindowAttributes(win32::HWND hWnd, win32::COLORREF crKey,
                                                   win32::BYTE bAlpha, win32::DWORD dwFlags) = 0;
    virtual win32::BOOL RedrawWindow(win32::HWND hWnd, const win32::RECT* lprcUpdate,
                                     win32::HRGN hrgnUpdate, win32::UINT flags) = 0;
};

// Installs a backend for the whole process and returns the previous one; nullptr restores the
// real one (Qt's top-level windows). The caller keeps ownership.
OpacityService* installOpacity(OpacityService* service);

// Records each call as a line and keeps the styles like the real backend, touching no window.
class FakeOpacity final : public OpacityService {
public:
    win32::LONG GetWindowLongA(win32::HWND hWnd, int nIndex) override {
        calls << QStringLiteral("GetWindowLongA %1 %2").arg(hWnd).arg(nIndex);
        return nIndex == win32::GWL_EXSTYLE ? styles[hWnd] : 0;
    }
    win32::LONG SetWindowLongA(win32::HWND hWnd, int nIndex, win32::LONG dwNewLong) override {
        calls << QStringLiteral("SetWindowLongA %1 %2 0x%3")
                     .arg(hWnd)
                     .arg(nIndex)
                     .arg(dwNewLong, 0, 16);
        if (nIndex != win32::GWL_EXSTYLE) {
            return 0;
        }
        const win32::LONG old = styles[hWnd];
        styles[hWnd] = dwNewLong;
        return old;
    }
    win32::BOOL SetLayeredWindowAttributes(win32::HWND hWnd, win32::COLORREF crKey,
                                           win32::BYTE bAlpha, win32::DWORD dwFlags) override {
        calls << QStringLiteral("SetLayeredWindowAttributes %1 %2 %3 %4")
                     .arg(hWnd)
                     .arg(crKey)
                     .arg(bAlpha)
                     .arg(dwFlags);
        return 1;
    }
    win32::BOOL RedrawWindow(win32::HWND hWnd, const win32::RECT* lprcUpdate,
                             win32::HRGN hrgnUpdate, win32::UINT flags) override {
        calls << QStringLiteral("RedrawWindow %1 %2 %3 0x%4")
                     .arg(hWnd)
                     .arg(lprcUpdate ? QStringLiteral("rect") : QStringLiteral("null"))
                     .arg(hrgnUpdate ? QStringLiteral("region") : QStringLiteral("null"))
                     .arg(flags, 0, 16);
        return 1;
    }
    QStringList calls;
    std::map<win32::HWND, win32::LONG> styles;
};

// Installs a FakeOpacity for the lifetime of the guard (tests).
class ScopedFakeOpacity {
public:
    ScopedFakeOpacity() : previous_(installOpacity(&fake)) {}
    ~ScopedFakeOpacity() { installOpacity(previous_); }
    ScopedFakeOpacity(const ScopedFakeOpacity&) = delete;
    ScopedFakeOpacity& operator=(const ScopedFakeOpacity&) = delete;
    FakeOpacity fake;

private:
    OpacityService* previous_;
};

// True on an X desktop without a compositing manager: windows must then be cut to the shape of
// what they show, or their transparent pixels come out black.
bool desktopNeedsShapes();

} // namespace qv
