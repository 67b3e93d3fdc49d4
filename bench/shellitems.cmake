# SPDX-License-Identifier: GPL-3.0-or-later
# Button faces: a page of ten (five shortcuts, five programs) from a warm cache; target <= 10 ms.
qv_add_bench(bench_shellitems
    SOURCES bench_shellitems.cpp
    LIBS qv_common_ui qv_common_shellitems qv_writers Qt6::Widgets)
