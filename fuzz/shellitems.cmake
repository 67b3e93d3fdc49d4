# SPDX-License-Identifier: GPL-3.0-or-later
# Shell items: the shortcut reader and the icon reader (PE resources, .ico, DIB and PNG entries).
qv_add_fuzz(fuzz_shortcut SOURCES fuzz_shortcut.cpp LIBS qv_platform_shortcuts)
qv_add_fuzz(fuzz_icon SOURCES fuzz_icon.cpp LIBS qv_platform_fileicon)
