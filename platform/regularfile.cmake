# SPDX-License-Identifier: GPL-3.0-or-later
# Opening the files a menu names: regular files only, never blocking on a FIFO or a device.
qv_library(qv_platform_regularfile SOURCES regularfile.cpp)
