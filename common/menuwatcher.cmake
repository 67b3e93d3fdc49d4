#SPDX - License - Identifier : GPL - 3.0 - or -later
#Both windows follow qv.ini : a watch on the file and its folder.
qv_library(qv_common_menuwatcher SOURCES menuwatcher.h menuwatcher.cpp LIBS qv_common_modini
               qv_platform_profile)
