// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The enrolment's choice of a voice warp: a pupil says the commands once, each warp hears them,
// and the one that heard most of them right is kept for that pupil's voice. Children's voices
// have higher formants than the adults the models were trained on; drawn down by the right warp
// they are heard as well, while the same warp would spoil an adult's voice.
#include "speech/tuning.h"

#include <vector>

namespace qv {

// The warp that heard the most of a pupil's enrolment right (right[i] of warps[i]); on a tie the
// one nearest no warp (1): a warp that is not needed spoils the commands it does not help. A
// warp must hear at least minGain more right than no warp (when that was tried) to be chosen.
double chooseVoiceWarp(const std::vector<double>& warps, const std::vector<int>& right,
                       int minGain = tuning::minWarpGain);

// The warps a voice is tried with, no warp first, then steps up to where a young child's voice
// is heard.
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

} // namespace qv
