# The profile functions on our own INI engine, and the atomic replacement of a file beside them;
# the engine is pure so that the fuzz target and the property tests can drive it without files.
qv_library(qv_platform_profile
    SOURCES profile.h profile.cpp atomicfile.h atomicfile.cpp sharefile.h profile_engine.cpp
    LIBS qv_platform_regularfile)
