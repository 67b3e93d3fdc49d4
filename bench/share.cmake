# SPDX-License-Identifier: GPL-3.0-or-later
# The reads of bench_profile through a mounted Samba share (QV_BENCH_SHARE, set by scripts/bench).
qv_add_bench(bench_share SOURCES bench_share.cpp LIBS qv_common_menulayout)
