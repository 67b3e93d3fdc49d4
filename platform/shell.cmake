# SPDX-License-Identifier: GPL-3.0-or-later
# Starting items: programs, shortcuts (through their target) and documents (xdg-open).
qv_library(qv_platform_shell
    SOURCES shell_unix.cpp
    LIBS qv_platform_shortcut qv_platform_desktopentry qv_platform_base)
