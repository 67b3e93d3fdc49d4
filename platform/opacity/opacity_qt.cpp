// SPDX-License-Identifier: GPL-3.0-or-later
// Opacity of Qt's windows: the handle is a widget's native id, the style lives on the widget
// (so it goes with the window), and the alpha becomes the top-level window's opacity.
#include "platform/opacity/opacity.h"

#include <QVariant>
#include <QWidget>
#include <atomic>

namespace qv {

namespace {

using namespace win32;

constexpr const char* kStyleProperty = "qvExStyle";

QWidget* windowOf(HWND hWnd) {
    return hWnd ? QWidget::find(static_cast<WId>(hWnd)) : nullptr;
}

class QtOpacity final : public OpacityService {
public:
    LONG GetWindowLongA(HWND hWnd, int nIndex) override {
        QWidget* w = windowOf(hWnd);
        if (!w || nIndex != GWL_EXSTYLE) {
            return 0;
        }
        return w->property(kStyleProperty).toInt();
    }
    LONG SetWindowLongA(HWND hWnd, int nIndex, LONG dwNewLong) override {
        QWidget* w = windowOf(hWnd);
        if (!w || nIndex != GWL_EXSTYLE) {
            return 0;
        }
        const LONG old = w->property(kStyleProperty).toInt();
        w->setProperty(kStyleProperty, static_cast<int>(dwNewLong));
        if ((old & WS_EX_LAYERED) && !(dwNewLong & WS_EX_LAYERED)) {
            w->window()->setWindowOpacity(1.0); // no longer layered: opaque again
        }
        return old;
    }
    BOOL SetLayeredWindowAttributes(HWND hWnd, COLORREF, BYTE bAlpha, DWORD dwFlags) override {
        QWidget* w = windowOf(hWnd);
        if (!w || !(w->property(kStyleProperty).toInt() & WS_EX_LAYERED) ||
            !(dwFlags & LWA_ALPHA)) {
            return 0;
        }
        w->window()->setWindowOpacity(bAlpha / 255.0);
        return 1;
    }
    BOOL RedrawWindow(HWND hWnd, const RECT* lprcUpdate, HRGN hrgnUpdate, UINT flags) override {
        QWidget* w = windowOf(hWnd);
        if (!w || lprcUpdate || hrgnUpdate) {
            return 0;
        }
        if (flags & RDW_INVALIDATE) {
            w->update();
            if (flags & RDW_ALLCHILDREN) {
                for (QWidget* child : w->findChildren<QWidget*>()) {
                    child->update();
                }
            }
        }
        return 1;
    }
};

QtOpacity realOpacity;
std::atomic<OpacityService*> installed{nullptr};

OpacityService& current() {
    OpacityService* service = installed.load();
    return service ? *service : realOpacity;
}

} // namespace

OpacityService* installOpacity(OpacityService* service) {
    return installed.exchange(service);
}

namespace win32 {

LONG GetWindowLongA(HWND hWnd, int nIndex) {
    return current().GetWindowLongA(hWnd, nIndex);
}

LONG SetWindowLongA(HWND hWnd, int nIndex, LONG dwNewLong) {
    return current().SetWindowLongA(hWnd, nIndex, dwNewLong);
}

BOOL SetLayeredWindowAttributes(HWND hWnd, COLORREF crKey, BYTE bAlpha, DWORD dwFlags) {
    return current().SetLayeredWindowAttributes(hWnd, crKey, bAlpha, dwFlags);
}

BOOL RedrawWindow(HWND hWnd, const RECT* lprcUpdate, HRGN hrgnUpdate, UINT flags) {
    return current().RedrawWindow(hWnd, lprcUpdate, hrgnUpdate, flags);
}

} // namespace win32

} // namespace qv
