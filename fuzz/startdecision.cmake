# SPDX-License-Identifier: GPL-3.0-or-later
# From a stored item to the start facility's decision: its kind and the argument vector.
qv_add_fuzz(fuzz_start_decision SOURCES fuzz_start_decision.cpp
    LIBS qv_common_menuitem qv_platform_desktopentry)
