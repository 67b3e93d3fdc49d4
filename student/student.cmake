# SPDX-License-Identifier: GPL-3.0-or-later
# The launcher window and the Quorvel Student program.
qv_library(qv_student
    SOURCES frmstudent.h frmstudent.cpp frmstudent_speech.cpp frmvoice.h frmvoice.cpp
        listeningbadge.h listeningbadge.cpp menufollower.h menufollower.cpp startannouncer.h
        startannouncer.cpp statusclock.h statusclock.cpp talkcontrol.h talkcontrol.cpp
        voicelearning.h voicelearning.cpp
    LIBS qv_common qv_platform qv_character Qt6::Widgets)

add_executable(quorvel-student mMain.cpp firstpaint.h firstpaint.cpp)
target_link_libraries(quorvel-student PRIVATE qv_student)
# The launcher opens these when first needed; a build of it builds them too.
add_dependencies(quorvel-student qv-speech qv-voice)
