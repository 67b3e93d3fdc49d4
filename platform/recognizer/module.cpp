// SPDX-License-Identifier: GPL-3.0-or-later
// The recognizer's module (qv-speech.so): the launcher opens it through createSpeechService()
// when speech is first used.
#include "platform/recognizer/pocketsphinx.h"

extern "C" Q_DECL_EXPORT qv::SpeechService* qv_speech_service() {
    return qv::createPocketSphinxService(qv::SpeechServiceOptions{}).release();
}
