# SPDX-License-Identifier: GPL-3.0-or-later
# The desktop character: SVG frames in a window of its own, a speech balloon, and a voice. The
# voice's engine, espeak-ng played on the PulseAudio sound server, is the module qv-voice.so
# (qv_platform_voice for tests), opened when the character first speaks.
qv_library(qv_platform_character
    SOURCES character.h character_data.h character_data.cpp character_voice.h
            character_voice.cpp character_window.h character_window.cpp character_x11.cpp
    LIBS Qt6::Widgets Qt6::Svg qv_platform_base qv_platform_regularfile qv_platform_module
    PKG x11)
qv_library(qv_platform_voice SOURCES voice_espeak.cpp
    PKG espeak-ng libpulse-simple)
qv_module(qv-voice SOURCES voice_module.cpp LIBS qv_platform_voice)
