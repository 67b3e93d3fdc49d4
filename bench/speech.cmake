# SPDX-License-Identifier: GPL-3.0-or-later
# Speech: latency from the end of an utterance to its Recognition, decode real-time factor,
# resident memory, and the accuracy and rejection rates on the synthesized corpus
# (bench_speech prints "speech_correct_pct <n>" and "speech_rejected_pct <n>").
add_executable(bench_speech_sweep bench_speech_sweep.cpp)
set_target_properties(bench_speech_sweep PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
target_link_libraries(bench_speech_sweep PRIVATE qv_speech_corpus)

qv_add_bench(bench_speech SOURCES bench_speech.cpp LIBS qv_speech_corpus)

# The commands under classroom conditions (babble, noise, clipping, raised and slowed voices):
# right, wrong button, missed and other speech rejected, beside the model alone.
add_executable(bench_speech_rooms bench_speech_rooms.cpp)
set_target_properties(bench_speech_rooms PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
target_link_libraries(bench_speech_rooms PRIVATE qv_speech_corpus)

# The launcher window with a recognizer chosen and a command spoken: its resident memory
# (target <= 120 MB), in a process of its own.
qv_add_bench(bench_launcher_speech SOURCES bench_launcher_speech.cpp
    LIBS qv_student qv_speech_corpus Qt6::Widgets)

# What a pupil's enrolment (the warp chosen on the pupil's own commands) gains per condition.
add_executable(bench_speech_enrol bench_speech_enrol.cpp)
set_target_properties(bench_speech_enrol PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
target_link_libraries(bench_speech_enrol PRIVATE qv_speech_corpus)
