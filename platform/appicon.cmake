# SPDX-License-Identifier: GPL-3.0-or-later
# The programs' window icons, built in so that a window has its icon also where the icon theme
# has none (a build folder, a copy on a stick).
qv_library(qv_platform_appicon SOURCES appicon.h appicon.cpp LIBS Qt6::Gui)
qt_add_resources(qv_platform_appicon qv_appicons PREFIX /qv-icons
    BASE ${PROJECT_SOURCE_DIR}/package
    FILES ${PROJECT_SOURCE_DIR}/package/quorvel-student.svg
          ${PROJECT_SOURCE_DIR}/package/quorvel-manager.svg)
