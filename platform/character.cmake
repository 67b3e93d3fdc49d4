# SPDX-License-Identifier: GPL-3.0-or-later
# The desktop character: SVG frames in a window of its own, a speech balloon, and a voice
# through espeak-ng played on the PulseAudio sound server.
qv_library(qv_platform_character
    SOURCES character.h character_data.h character_data.cpp character_voice.h
            character_voice.cpp character_window.h character_window.cpp character_x11.cpp
    LIBS Qt6::Widgets Qt6::Svg qv_platform_base qv_platform_regularfile
    PKG espeak-ng libpulse-simple x11)
