# Starting items: programs, shortcuts (through their target) and documents (xdg-open).
qv_library(qv_platform_shell
    SOURCES shell_unix.cpp
    LIBS qv_platform_shortcut)
