# SPDX-License-Identifier: GPL-3.0-or-later
# Quorvel Student: process start to the first painted page on 10 tabs x 100 buttons (target
# <= 150 ms, <= 50 MB resident) and a page flip of ten faces (target <= 10 ms).
add_executable(bench_student bench_student.cpp)
set_target_properties(bench_student PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
target_link_libraries(bench_student PRIVATE benchmark::benchmark qv_student qv_writers Qt6::Widgets)
target_compile_definitions(bench_student PRIVATE QV_BIN_DIR="${QV_BIN_DIR}")
add_dependencies(bench_student quorvel-student)
