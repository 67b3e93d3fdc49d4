# SPDX-License-Identifier: GPL-3.0-or-later
# Speech recognition: PocketSphinx with audio from PulseAudio (or a WAV file for tests), and the
# reader that turns our XML command grammar into JSGF. The programs link only the service's
# interface and its loader (qv_platform_speechloader); the recognizer itself is the module
# qv-speech.so, opened when a recognizer is first used.
qv_library(qv_platform_speechloader
    SOURCES speech.h speech_models.h speech_models.cpp speech_loader.cpp
    LIBS qv_platform_module)
qv_library(qv_platform_speech
    SOURCES speech_grammar.h speech_grammar.cpp speech_pocketsphinx.h
            speech_pocketsphinx.cpp speech_audio.cpp speech_decoder.h speech_decoder.cpp
            speech_judge.h speech_judge.cpp speech_enrol.h speech_enrol.cpp
            speech_gaussians.h speech_gaussians.cpp speech_modelcheck.h speech_modelcheck.cpp
    LIBS qv_platform_files qv_platform_speechloader
    PKG pocketsphinx sphinxbase libpulse-simple)
qv_module(qv-speech SOURCES speech_module.cpp LIBS qv_platform_speech)
