# Button faces: a page of ten (five shortcuts, five programs) from a warm cache; target <= 10 ms.
qv_add_bench(bench_shellitems
    SOURCES bench_shellitems.cpp
        ${PROJECT_SOURCE_DIR}/tests/fixtures/lnkwriter.cpp
        ${PROJECT_SOURCE_DIR}/tests/fixtures/iconwriter.cpp
    LIBS qv_common_ui qv_common_shellitems Qt6::Widgets)
