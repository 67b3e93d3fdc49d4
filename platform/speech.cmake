# SPDX-License-Identifier: GPL-3.0-or-later
# Speech recognition: PocketSphinx with audio from PulseAudio (or a WAV file for tests), and the
# reader that turns our XML command grammar into JSGF.
qv_library(qv_platform_speech
    SOURCES speech.h speech_grammar.h speech_grammar.cpp speech_pocketsphinx.h
            speech_pocketsphinx.cpp speech_audio.cpp speech_decoder.h speech_decoder.cpp
            speech_judge.h speech_judge.cpp speech_enrol.h speech_enrol.cpp
            speech_adapt.h speech_adapt.cpp speech_modelcheck.h speech_modelcheck.cpp
    LIBS qv_platform_regularfile
    PKG pocketsphinx sphinxbase libpulse-simple)
