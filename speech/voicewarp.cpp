// SPDX-License-Identifier: GPL-3.0-or-later
#include "speech/voicewarp.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace qv {

double chooseVoiceWarp(const std::vector<double>& warps, const std::vector<int>& right,
                       int minGain) {
    double best = 1.0;
    int bestRight = -1;
    int none = -1;
    for (size_t i = 0; i < std::min(warps.size(), right.size()); ++i) {
        const bool nearer = std::abs(warps[i] - 1.0) < std::abs(best - 1.0);
        if (right[i] > bestRight || (right[i] == bestRight && nearer)) {
            best = warps[i];
            bestRight = right[i];
        }
        none = warps[i] == 1.0 ? right[i] : none;
    }
    return none >= 0 && bestRight < none + minGain ? 1.0 : best;
}

const std::vector<double>& voiceWarps() {
    static const std::vector<double> warps(tuning::voiceWarpSteps.begin(),
                                           tuning::voiceWarpSteps.end());
    return warps;
}

int WarpTrial::heardRight() const {
    return int(std::count(right.begin(), right.end(), true));
}

VoiceChoice pickVoice(const std::vector<WarpTrial>& trials) {
    std::vector<double> warps;
    std::vector<int> right;
    for (const WarpTrial& trial : trials) {
        warps.push_back(trial.warp);
        right.push_back(trial.heardRight());
    }
    VoiceChoice choice;
    choice.warp = chooseVoiceWarp(warps, right);
    for (size_t i = 0; i < trials.size(); ++i) {
        choice.rightBefore = i == 0 ? right[i] : choice.rightBefore;
        choice.rightAfter = warps[i] == choice.warp ? right[i] : choice.rightAfter;
    }
    return choice;
}

} // namespace qv
