# SPDX-License-Identifier: GPL-3.0-or-later
# Quorvel Manager: the editor window and the migration window as a library (tested on their
# own), and the program around them.
qv_library(qv_teach
    SOURCES frmdrop.h frmdrop.cpp frmdrop_edit.cpp editornotices.h editornotices.cpp frmMigrate.h
        frmMigrate.cpp frmChoose.h frmChoose.cpp firstmenu.h firstmenu.cpp
    LIBS Qt6::Widgets qv_common qv_platform)

add_executable(quorvel-manager mMain.cpp)
target_link_libraries(quorvel-manager PRIVATE qv_teach)
