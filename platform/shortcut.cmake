# SPDX-License-Identifier: GPL-3.0-or-later
# Shortcut files: our bounded reader checks the structure, liblnk gives the texts.
qv_library(qv_platform_shortcut
    SOURCES shortcut_bounded.cpp shortcut_liblnk.cpp
    LIBS qv_platform_regularfile
    PKG liblnk libbfio)
