# SPDX-License-Identifier: GPL-3.0-or-later
#Which kind a menu item is, and the captions, icons and starts of the two Linux kinds.
qv_library(qv_common_linuxitems SOURCES menuitem.h menuitem.cpp linuxitems.cpp LIBS
               qv_platform_desktopentry qv_platform_session qv_common_shellitems)
