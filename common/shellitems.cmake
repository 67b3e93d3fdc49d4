# Shell items: display names, shortcut targets and fields, drawing a file's icon.
qv_library(qv_common_shellitems
    SOURCES GetFileName.cpp ShrtcutPath.cpp ReadShortcut.cpp ExtIcon.cpp
    LIBS qv_platform_base qv_platform_shortcut qv_platform_fileicon qv_common_ui)
