# SPDX-License-Identifier: GPL-3.0-or-later
# The launcher's push-to-talk choice, kept per machine in a settings file of its own, and the talk
# keys that open the recognizer.
qv_library(qv_common_pushtotalk SOURCES pushtotalk.h pushtotalk.cpp)
