# SPDX-License-Identifier: GPL-3.0-or-later
# The paging of a tab's buttons that both main windows share.
qv_library(qv_common_pager SOURCES pager.h pager.cpp LIBS qv_common_menulayout)
