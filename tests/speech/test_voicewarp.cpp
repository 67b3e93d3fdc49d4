// SPDX-License-Identifier: GPL-3.0-or-later
// The enrolment's choice of a voice warp.
#include "speech/voicewarp.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace qv;

// The warp that heard most of an enrolment wins; a tie goes to the warp nearest none, in either
// direction, whatever the order the warps were tried in.
TEST(SpeechVoiceWarp, HeardMostWinsTiesGoNearestNone) {
    const std::vector<double> warps{1.0, 0.92, 1.08, 1.16, 1.24};
    struct Row {
        std::vector<int> right;
        double chosen;
    } rows[] = {
        {{6, 5, 7, 9, 8}, 1.16}, {{9, 9, 9, 9, 9}, 1.0}, {{5, 8, 8, 2, 1}, 0.92},
        {{3, 2, 6, 4, 6}, 1.08}, {{0, 0, 0, 0, 0}, 1.0}, {{4, 4, 4, 4, 10}, 1.24},
        {{7, 6, 5, 5, 5}, 1.0},  {{2, 3, 2, 3}, 0.92}, // a warp left untried counts for nothing
    };
    for (const Row& row : rows) {
        EXPECT_EQ(chooseVoiceWarp(warps, row.right), row.chosen) << row.right[0];
    }
    EXPECT_EQ(chooseVoiceWarp({1.24, 1.08, 1.0}, {5, 5, 5}), 1.0);
    EXPECT_EQ(chooseVoiceWarp({1.0, 0.8, 1.1}, {3, 5, 5}), 1.1);
    // Asked to gain two, one more is not enough.
    EXPECT_EQ(chooseVoiceWarp(warps, {6, 5, 7, 6, 6}, 2), 1.0);
    EXPECT_EQ(chooseVoiceWarp(warps, {6, 5, 7, 8, 6}, 2), 1.16);
    // What the trials heard, without a warp and with the one chosen.
    const VoiceChoice choice =
        pickVoice({{1.0, {true, false, false}}, {1.2, {true, true, true}}, {1.4, {true, true}}});
    EXPECT_EQ(std::tuple(choice.warp, choice.rightBefore, choice.rightAfter),
              std::tuple(1.2, 1, 3));
}
