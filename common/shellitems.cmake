# SPDX-License-Identifier: GPL-3.0-or-later
# Shell items: display names, shortcut targets and fields.
qv_library(qv_common_shellitems
    SOURCES GetFileName.cpp ShrtcutPath.cpp ReadShortcut.cpp
    LIBS qv_platform_session qv_platform_shortcuts)
