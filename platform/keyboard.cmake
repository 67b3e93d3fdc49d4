# SPDX-License-Identifier: GPL-3.0-or-later
# Keystroke synthesis: the US layout's key tables, and keys sent through XTest.
qv_library(qv_platform_keyboard
    SOURCES keyboard.h keyboard.cpp keyboard_us.cpp keyboard_x11.cpp
    PKG x11 xtst)
