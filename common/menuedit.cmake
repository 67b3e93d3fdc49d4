# SPDX-License-Identifier: GPL-3.0-or-later
# The editor's changes of the menu, each made on the file as it is now under the menu's lock.
qv_library(qv_common_menuedit SOURCES menuedit.h menuedit.cpp
    LIBS qv_common_menulayout qv_platform_menufile)
