# SPDX-License-Identifier: GPL-3.0-or-later
#File icons : our bounded PE /.ico reader, theme icons for the Windows system files.
qv_library(qv_platform_fileicon SOURCES fileicon.cpp peicon.cpp LIBS Qt6::Widgets qv_platform_regularfile)
