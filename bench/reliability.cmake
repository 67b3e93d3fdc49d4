# SPDX-License-Identifier: GPL-3.0-or-later
# The menu file at school sizes and hostile sizes, and the outside start-up probe that
# scripts/bench runs on both programs.
qv_add_bench(bench_menu SOURCES reliability/bench_menu.cpp LIBS qv_common_menulayout)

pkg_check_modules(QV_X11 REQUIRED x11)
add_executable(qv_startup_probe reliability/startup_probe.cpp)
set_target_properties(qv_startup_probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
target_include_directories(qv_startup_probe SYSTEM PRIVATE ${QV_X11_INCLUDE_DIRS})
target_link_libraries(qv_startup_probe PRIVATE ${QV_X11_LINK_LIBRARIES})
