// SPDX-License-Identifier: GPL-3.0-or-later
// Whether translucent windows are blended on this desktop. Kept apart: X11's macros clash
// with Qt's names.
#include "platform/opacity/opacity.h"

#include <QGuiApplication>

#include <X11/Xlib.h>

namespace qv {

bool desktopNeedsShapes() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        return false;
    }
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display* display = x11 ? x11->display() : nullptr;
    if (!display) {
        return true;
    }
    // A compositing manager owns this selection; without one, transparent pixels show black.
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(DefaultScreen(display));
    const Atom selection = XInternAtom(display, name.constData(), False);
    return XGetSelectionOwner(display, selection) == 0;
}

} // namespace qv
