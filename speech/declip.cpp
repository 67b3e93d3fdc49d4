// SPDX-License-Identifier: GPL-3.0-or-later
#include "speech/declip.h"

#include "speech/tuning.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace qv {

std::vector<qint16> declipped(const std::vector<qint16>& audio, int clipLevel) {
    const auto n = std::ptrdiff_t(audio.size());
    std::vector<double> wave(audio.begin(), audio.end());
    const auto at = [&](std::ptrdiff_t i) { return double(audio[size_t(i)]); };
    for (std::ptrdiff_t i = 0; i < n;) {
        const int sample = audio[size_t(i)];
        const int sign = sample >= clipLevel ? 1 : (sample <= -clipLevel ? -1 : 0);
        if (sign == 0) {
            ++i;
            continue;
        }
        std::ptrdiff_t end = i;
        while (end < n && sign * int(audio[size_t(end)]) >= clipLevel) {
            ++end;
        }
        // Between the last sample before the run (left) and the first after it (right).
        const std::ptrdiff_t left = i - 1;
        const std::ptrdiff_t right = end;
        if (left >= 0 && right < n) {
            const auto span = double(right - left);
            const double p0 = at(left);
            const double p1 = at(right);
            // A share of the slope of each neighbour: with the whole slopes the curve overshoots
            // the peaks of speech.
            const double m0 =
                left > 0 ? (p0 - at(left - 1)) * span * tuning::declipSlopeShare : 0.0;
            const double m1 =
                right + 1 < n ? (at(right + 1) - p1) * span * tuning::declipSlopeShare : 0.0;
            for (std::ptrdiff_t k = i; k < end; ++k) {
                const double t = double(k - left) / span;
                const double t2 = t * t;
                const double t3 = t2 * t;
                const double y = (2 * t3 - 3 * t2 + 1) * p0 + (t3 - 2 * t2 + t) * m0 +
                                 (-2 * t3 + 3 * t2) * p1 + (t3 - t2) * m1;
                // The wave went at least as far as where it was cut.
                wave[size_t(k)] = sign * std::max(sign * y, double(clipLevel));
            }
        }
        i = end;
    }
    double peak = 1;
    for (const double v : wave) {
        peak = std::max(peak, std::abs(v));
    }
    const double scale = std::min(1.0, double(clipLevel) / peak);
    std::vector<qint16> out(audio.size());
    for (size_t k = 0; k < wave.size(); ++k) {
        out[k] = qint16(std::lround(wave[k] * scale));
    }
    return out;
}

} // namespace qv
