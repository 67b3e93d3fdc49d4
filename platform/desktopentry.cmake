# SPDX-License-Identifier: GPL-3.0-or-later
# Desktop entries and bare executables, the menu items of a Linux desktop, read and started
# through GLib's GDesktopAppInfo rather than a parser of our own.
qv_library(qv_platform_desktopentry
    SOURCES desktopentry_glib.cpp
    LIBS Qt6::Widgets qv_platform_regularfile
    PKG gio-unix-2.0)
