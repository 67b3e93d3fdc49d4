# SPDX-License-Identifier: GPL-3.0-or-later
# The launcher's utility classes: keystroke synthesis and window translucency.
qv_library(qv_student_utils
    SOURCES clsKeyboard.h clsKeyboard.cpp clsAlpha.h clsAlpha.cpp
    LIBS qv_platform_keyboard qv_platform_opacity Qt6::Widgets)
