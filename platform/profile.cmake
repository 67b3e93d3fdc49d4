# The profile functions on our own INI engine; the engine is pure so that the fuzz target and the
# property tests can drive it without files.
qv_library(qv_platform_profile
    SOURCES profile.cpp profile_engine.cpp
    LIBS qv_platform_regularfile)
