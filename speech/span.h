// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The speaker's part of an utterance, from the energies of its 20 ms blocks: where the speaker
// is, how far the speech stands over the room, and how much of it a hypothesis' words cover.
#include <cstddef>
#include <vector>

namespace qv {

// The part of an utterance's blocks (their energies in dB) that the speaker fills: from the
// first to the last block within belowDb of the loud blocks (a high percentile), widened by
// padBefore blocks before and padAfter after. Talk behind the speaker, 20 dB down, falls
// outside it; the quiet consonants at a word's edge fall inside the padding. first..last,
// inclusive; 0..size-1 when nothing stands out.
struct BlockSpan {
    std::size_t first = 0;
    std::size_t last = 0;
};
BlockSpan speakerSpan(const std::vector<double>& blockDb, double belowDb, std::size_t padBefore,
                      std::size_t padAfter);

// How far an utterance's speech stands over the room it was said in: the loud blocks (a high
// percentile of their energies in dB) over the quiet ones (a low percentile: the pauses and the
// edges, which hold only the room). 0 for no blocks.
double speechOverRoomDb(const std::vector<double>& blockDb);

// The frames (10 ms, first..last inclusive) of the words of a hypothesis.
struct WordFrames {
    int first = 0;
    int last = 0;
};
// Of the blocks (20 ms, their energies in dB) within belowDb of the loud ones (a high
// percentile), the share that no word covers; 0 when there are none.
double loudOutsideWords(const std::vector<double>& blockDb, const std::vector<WordFrames>& words,
                        double belowDb);

} // namespace qv
