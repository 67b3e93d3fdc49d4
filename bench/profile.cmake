# SPDX-License-Identifier: GPL-3.0-or-later
# ReadKey and WriteKey (atomic) on large menus.
qv_add_bench(bench_profile SOURCES bench_profile.cpp LIBS qv_common_modini)
# The same reads through a mounted Samba share (QV_BENCH_SHARE, set by scripts/bench).
qv_add_bench(bench_share SOURCES bench_share.cpp LIBS qv_common_modini)
