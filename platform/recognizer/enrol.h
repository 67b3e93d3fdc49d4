// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Enrolment: the pupil's commands heard again by a decoder of each warp (speech/voicewarp.h
// chooses among them).
#include "platform/recognizer/pocketsphinx.h"
#include "speech/grammar.h"
#include "speech/voicewarp.h"

#include <QString>
#include <atomic>
#include <vector>

namespace qv {

struct EnrolmentUtterance {
    QString said; // the command the pupil was asked to say, as the grammar spells it
    std::vector<qint16> audio;
};

// For each warp of voiceWarps(), what a decoder of these options with the grammar hears in the
// utterances, each decoded on its own; false with an error when a decoder cannot be built, or
// when cancel was set. One decoder at a time is built beside the one that listens.
bool tryVoiceWarps(const SpeechModel& model, const RecognizerOptions& options,
                   const CommandGrammar& grammar, const std::vector<EnrolmentUtterance>& utterances,
                   std::vector<WarpTrial>* trials, SpeechError* error,
                   const std::atomic<bool>* cancel = nullptr);

} // namespace qv
