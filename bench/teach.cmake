# SPDX-License-Identifier: GPL-3.0-or-later
# The editor's button edits on a large tab: deleting button 1 of 1000 (999 renames, each write
# atomic), target <= 1 s; adding one button, target <= 20 ms.
qv_add_bench(bench_teach SOURCES bench_teach.cpp LIBS qv_teach Qt6::Widgets)
