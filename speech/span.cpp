// SPDX-License-Identifier: GPL-3.0-or-later
#include "speech/span.h"

#include "speech/levels.h"
#include "speech/tuning.h"

#include <algorithm>

namespace qv {

namespace {

// The blocks at or over this are the speaker's: within belowDb of the loud ones.
double speakerLevel(const std::vector<double>& blockDb, double belowDb) {
    return percentile(blockDb, tuning::loudPercentile) - belowDb;
}

} // namespace

BlockSpan speakerSpan(const std::vector<double>& blockDb, double belowDb, size_t padBefore,
                      size_t padAfter) {
    if (blockDb.empty()) {
        return {};
    }
    const double threshold = speakerLevel(blockDb, belowDb);
    size_t first = 0;
    while (blockDb[first] < threshold) {
        ++first;
    }
    size_t last = blockDb.size() - 1;
    while (blockDb[last] < threshold) {
        --last;
    }
    return {first > padBefore ? first - padBefore : 0,
            std::min(blockDb.size() - 1, last + padAfter)};
}

double loudOutsideWords(const std::vector<double>& blockDb, const std::vector<WordFrames>& words,
                        double belowDb) {
    const double threshold = speakerLevel(blockDb, belowDb);
    int loud = 0;
    int outside = 0;
    for (size_t b = 0; b < blockDb.size(); ++b) {
        if (blockDb[b] < threshold) {
            continue;
        }
        ++loud;
        // A block holds two frames.
        const auto first = int(2 * b);
        const bool covered = std::any_of(words.begin(), words.end(), [&](const WordFrames& w) {
            return w.first <= first + 1 && first <= w.last;
        });
        outside += covered ? 0 : 1;
    }
    return loud == 0 ? 0.0 : double(outside) / loud;
}

double speechOverRoomDb(const std::vector<double>& blockDb) {
    return percentile(blockDb, tuning::loudPercentile) -
           percentile(blockDb, tuning::quietPercentile);
}

} // namespace qv
