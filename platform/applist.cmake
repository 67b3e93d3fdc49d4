# SPDX-License-Identifier: GPL-3.0-or-later
# The desktop's installed applications, listed through GLib's GAppInfo as its own menus list them.
qv_library(qv_platform_applist SOURCES applist.h applist_gio.cpp PKG gio-unix-2.0)
