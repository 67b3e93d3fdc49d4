# SPDX-License-Identifier: GPL-3.0-or-later
# The layout of qv.ini, shared by both programs: its place, names, counts and special items.
qv_library(qv_common_menulayout SOURCES menulayout.h menulayout.cpp
    LIBS qv_common_modini qv_platform_profile qv_platform_session)
