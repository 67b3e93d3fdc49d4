# Profile access (modini) and the layout of qv.ini, shared by both programs.
qv_library(qv_common_modini
    SOURCES modini.cpp menulayout.cpp
    LIBS qv_platform_profile qv_platform_base)
