# SPDX-License-Identifier: GPL-3.0-or-later
# The widgets both main windows share: the launch-button array, the icon surface, the builder,
# the tab strip with its pages, the drop area, and the drawing of an item's icon (the one part of
# common/ that paints).
qv_library(qv_common_ui
    SOURCES ui/imgicon.h ui/imgicon.cpp ui/cmdapplau.h ui/cmdapplau.cpp ui/Arrays.h ui/Arrays.cpp
        ui/twips.h ui/tabstrip.h ui/tabstrip.cpp ui/tabpages.h ui/tabpages.cpp ui/ExtIcon.h
        ui/ExtIcon.cpp ui/droparea.h ui/droparea.cpp ui/fittext.h ui/fittext.cpp
    LIBS Qt6::Widgets qv_common_shellitems qv_common_menuitem qv_common_menulayout qv_common_pager
        qv_platform_fileicon)
