# SPDX-License-Identifier: GPL-3.0-or-later
# Opening the program's own modules (the recognizer, the voice) when they are first needed.
qv_library(qv_platform_module SOURCES module.h module.cpp)
file(RELATIVE_PATH _qv_module_dir ${CMAKE_INSTALL_FULL_BINDIR} ${QV_MODULE_INSTALL_DIR})
target_compile_definitions(qv_platform_module PRIVATE QV_MODULE_DIR_FROM_BIN="${_qv_module_dir}")
