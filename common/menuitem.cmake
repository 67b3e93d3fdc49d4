# SPDX-License-Identifier: GPL-3.0-or-later
# Which kind a menu item is, and the captions, icons and starts of the two Linux kinds.
qv_library(qv_common_menuitem SOURCES menuitem.h menuitem.cpp linuxitems.h linuxitems.cpp LIBS
               qv_platform_desktopentry qv_platform_session qv_platform_dialogs qv_common_shellitems)
