// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Enrolment: a pupil says the ten commands once, and the frequency warp that hears them best is
// kept for that pupil's voice. Children's voices have higher formants than the adults the models
// were trained on; drawn down by the right warp they are heard as well, while the same warp
// would spoil an adult's voice, so it is chosen per pupil.
#include "platform/recognizer/pocketsphinx.h"
#include "speech/grammar.h"

#include <QString>
#include <atomic>
#include <vector>

namespace qv {

struct EnrolmentUtterance {
    QString said; // the command the pupil was asked to say, as the grammar spells it
    std::vector<qint16> audio;
};

// The warps a voice is tried with, no warp first, then steps up to where a young child's voice
// is heard. None below 1: deep voices are within what the models were trained on, and in a
// noisy room a lower warp was chosen by chance and heard worse.
const std::vector<double>& voiceWarps();

// What one warp made of an enrolment.
struct WarpTrial {
    double warp = 1.0;
    std::vector<bool> right; // per utterance: heard as said
    double score = 0;        // the best paths' scores per frame, over all utterances
    int heardRight() const;
};

// The warp chooseVoiceWarp() takes from the trials, no warp first, and how many utterances were
// heard right without a warp and with the one chosen.
struct VoiceChoice {
    double warp = 1.0;
    int rightBefore = 0;
    int rightAfter = 0;
};
VoiceChoice pickVoice(const std::vector<WarpTrial>& trials);

// For each warp of voiceWarps(), what a decoder of these options with the grammar hears in the
// utterances, each decoded on its own; false with an error when a decoder cannot be built, or
// when cancel was set. One decoder at a time is built beside the one that listens.
bool tryVoiceWarps(const SpeechModel& model, const RecognizerOptions& options,
                   const CommandGrammar& grammar, const std::vector<EnrolmentUtterance>& utterances,
                   std::vector<WarpTrial>* trials, SpeechError* error,
                   const std::atomic<bool>* cancel = nullptr);

} // namespace qv
