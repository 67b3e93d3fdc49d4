# SPDX-License-Identifier: GPL-3.0-or-later
# The command grammar reader; corpus in corpus/fuzz_speech_grammar.
qv_add_fuzz(fuzz_speech_grammar SOURCES fuzz_speech_grammar.cpp LIBS qv_speech)
# The reader of a model's means and variances; corpus in corpus/fuzz_speech_gaussians.
qv_add_fuzz(fuzz_speech_gaussians SOURCES fuzz_speech_gaussians.cpp LIBS qv_speech)
# The checks of an acoustic model's files before the decoder reads them; corpus in
# corpus/fuzz_speech_model (small files of the installed model and the start of the others).
qv_add_fuzz(fuzz_speech_model SOURCES fuzz_speech_model.cpp LIBS qv_platform_speech)
