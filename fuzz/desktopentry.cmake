# SPDX-License-Identifier: GPL-3.0-or-later
# Desktop entries as the menu reads and judges them, and the launch line built from them.
qv_add_fuzz(fuzz_desktopentry SOURCES fuzz_desktopentry.cpp LIBS qv_platform_desktopentry)
