# SPDX-License-Identifier: GPL-3.0-or-later
# Window opacity through the layered-window calls, mapped onto Qt's window opacity.
qv_library(qv_platform_opacity
    SOURCES opacity.h opacity_qt.cpp
    LIBS Qt6::Widgets)
