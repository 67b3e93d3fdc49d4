# The command grammar reader; corpus in corpus/fuzz_speech_grammar.
qv_add_fuzz(fuzz_speech_grammar SOURCES fuzz_speech_grammar.cpp LIBS qv_platform_speech)
