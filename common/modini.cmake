# SPDX-License-Identifier: GPL-3.0-or-later
# Profile access (modini) and the layout of qv.ini, shared by both programs.
qv_library(qv_common_modini
    SOURCES modini.cpp menulayout.cpp
    LIBS qv_platform_profile qv_platform_session)
# The editor's changes of the menu, each made on the file as it is now under the menu's lock.
qv_library(qv_common_menuedit SOURCES menuedit.h menuedit.cpp
    LIBS qv_common_modini qv_platform_menufile)
