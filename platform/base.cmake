# SPDX-License-Identifier: GPL-3.0-or-later
# Message boxes, file tests, the user name, and where the data and the menu are: the seams every
# other part needs.
qv_library(qv_platform_base
    SOURCES messagebox.cpp filetest.cpp username_unix.cpp startup.h startup.cpp
    LIBS Qt6::Widgets qv_platform_regularfile)
target_compile_definitions(qv_platform_base PRIVATE QV_VERSION="${PROJECT_VERSION}")
