# SPDX-License-Identifier: GPL-3.0-or-later
# The profile functions on our own INI engine, and the atomic replacement of a file beside them;
# the engine is pure so that the fuzz target and the property tests can drive it without files.
qv_library(qv_platform_profile
    SOURCES profile.h profile.cpp atomicfile.h atomicfile.cpp sharefile.h profile_engine.cpp
    LIBS qv_platform_regularfile)
# What the editor may do with the menu file, and the lock that makes editors take turns.
qv_library(qv_platform_menufile SOURCES menufile.h menufile.cpp LIBS qv_platform_profile)
