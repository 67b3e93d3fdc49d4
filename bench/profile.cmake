# SPDX-License-Identifier: GPL-3.0-or-later
# ReadKey and WriteKey (atomic) on large menus.
qv_add_bench(bench_profile SOURCES bench_profile.cpp LIBS qv_common_menulayout)
