// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The launcher's speech service: it lists the installed recognizers from their folders and opens
// the recognizer's module (qv-speech.so) only when a recognizer is first used.
#include "speech/service.h"

#include <memory>

namespace qv {

// The real speech service of this platform.
std::unique_ptr<SpeechService> createSpeechService();

} // namespace qv
