// SPDX-License-Identifier: GPL-3.0-or-later
// The voice's module (qv-voice.so): the character opens it when it first speaks.
#include "character/voice.h"

extern "C" Q_DECL_EXPORT const qv::character::VoiceEngine* qv_voice_engine() {
    return &qv::character::espeakVoice();
}
