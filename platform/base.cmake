# Message boxes, file tests and the user name: the seams every other part needs.
qv_library(qv_platform_base
    SOURCES messagebox.cpp filetest.cpp username_unix.cpp
    LIBS Qt6::Widgets qv_platform_regularfile)
