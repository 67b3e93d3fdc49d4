# Speech recognition: PocketSphinx with audio from PulseAudio (or a WAV file for tests), and the
# reader that turns our XML command grammar into JSGF.
qv_library(qv_platform_speech
    SOURCES speech.h speech_grammar.h speech_grammar.cpp speech_pocketsphinx.h
            speech_pocketsphinx.cpp speech_audio.cpp speech_decoder.h speech_decoder.cpp
            speech_judge.h speech_judge.cpp
    LIBS qv_platform_regularfile
    PKG pocketsphinx sphinxbase libpulse-simple)

# Synthesized test speech and the runner that plays it through the recognizer, shared by the
# speech tests and benchmarks.
if(QV_BUILD_TESTS OR QV_BUILD_BENCH)
    add_library(qv_speech_corpus STATIC
        ${PROJECT_SOURCE_DIR}/tests/speech/speech_corpus.cpp
        ${PROJECT_SOURCE_DIR}/tests/speech/speech_runner.cpp
        ${PROJECT_SOURCE_DIR}/tests/speech/speech_rooms.cpp)
    target_include_directories(qv_speech_corpus PUBLIC ${PROJECT_SOURCE_DIR})
    target_compile_definitions(qv_speech_corpus PUBLIC QV_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
    target_link_libraries(qv_speech_corpus PUBLIC qv_platform_speech Qt6::Core)
endif()
