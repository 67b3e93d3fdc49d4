# SPDX-License-Identifier: GPL-3.0-or-later
# Profile access (modini): the one way both programs read and change qv.ini.
qv_library(qv_common_modini SOURCES modini.h modini.cpp
    LIBS qv_platform_profile qv_platform_files qv_platform_dialogs)
