# SPDX-License-Identifier: GPL-3.0-or-later
# The pupil's voice found at enrolment, kept beside the launcher's own settings.
qv_library(qv_common_pupilvoice SOURCES pupilvoice.h pupilvoice.cpp LIBS qv_common_pushtotalk)
