// SPDX-License-Identifier: GPL-3.0-or-later
#include "speech/levels.h"

#include <algorithm>
#include <cmath>

namespace qv {

double blockDb(const qint16* samples, std::size_t count) {
    double sum = 0;
    for (std::size_t i = 0; i < count; ++i) {
        sum += double(samples[i]) * samples[i];
    }
    return 10.0 * std::log10(1.0 + (count ? sum / double(count) : 0.0));
}

std::vector<double> blockEnergies(const std::vector<qint16>& audio) {
    std::vector<double> energies;
    for (std::size_t at = 0; at < audio.size(); at += liveBlock) {
        energies.push_back(blockDb(audio.data() + at, std::min(liveBlock, audio.size() - at)));
    }
    return energies;
}

double percentile(std::vector<double> values, double share) {
    if (values.empty()) {
        return 0;
    }
    const auto at = values.begin() + std::ptrdiff_t(share * double(values.size() - 1));
    std::nth_element(values.begin(), at, values.end());
    return *at;
}

} // namespace qv
