// SPDX-License-Identifier: GPL-3.0-or-later
// Peaks cut off by a too-loud input, drawn again.
#include "speech/declip.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace qv;

// A wave cut off flat by a too-loud input: drawn again, it is round where it was flat and
// follows the uncut wave; audio that was never cut passes unchanged.
TEST(SpeechDeclip, FlatPeaksAreDrawnRoundAgain) {
    const double pi = std::acos(-1.0);
    for (const double loudness : {1.5, 2.0, 4.0}) {
        std::vector<double> uncut;
        std::vector<qint16> cut;
        for (int i = 0; i < 1600; ++i) {
            const double t = i / 16000.0;
            uncut.push_back(loudness * 30000 *
                            (std::sin(2 * pi * 180 * t) + 0.3 * std::sin(2 * pi * 540 * t + 1)));
            cut.push_back(qint16(std::clamp(uncut.back(), -32767.0, 32767.0)));
        }
        const std::vector<qint16> drawn = declipped(cut, 32000);
        ASSERT_EQ(drawn.size(), cut.size());
        const auto likeness = [&](const std::vector<qint16>& wave) {
            double xy = 0, xx = 0, yy = 0;
            for (size_t i = 0; i < wave.size(); ++i) {
                xy += uncut[i] * wave[i];
                xx += uncut[i] * uncut[i];
                yy += double(wave[i]) * wave[i];
            }
            return xy / std::sqrt(xx * yy);
        };
        const auto atPeak = [](const std::vector<qint16>& wave) {
            const int peak = std::abs(*std::max_element(
                wave.begin(), wave.end(), [](int a, int b) { return std::abs(a) < std::abs(b); }));
            return std::count_if(wave.begin(), wave.end(),
                                 [&](int s) { return std::abs(s) >= peak - peak / 100; });
        };
        EXPECT_GT(likeness(drawn), likeness(cut)) << loudness;
        // Cut a little, the wave is nearly what it was.
        if (loudness < 2) {
            EXPECT_GT(likeness(drawn), 0.99) << loudness;
        }
        EXPECT_LT(atPeak(drawn), atPeak(cut) / 10) << loudness;
    }
    const std::vector<qint16> quiet{0, 1200, -31999, 31999, 5, -7};
    EXPECT_EQ(declipped(quiet, 32000), quiet);
}
