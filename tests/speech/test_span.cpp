// SPDX-License-Identifier: GPL-3.0-or-later
// The speaker's part of an utterance and how much of it a hypothesis covers.
#include "speech/span.h"

#include <gtest/gtest.h>

using namespace qv;

// The speaker's part of an utterance: the blocks near its loudest (within 10 dB), padded before
// and after; talk 20 dB below before and after it falls outside. And how far the speaker stands
// over the room.
TEST(SpeechSpan, SpeakerSpanLeavesTheRoomOut) {
    struct Row {
        std::vector<double> db;
        size_t before, after;
        size_t first, last;
        double overRoom;
    } rows[] = {
        {{20, 20, 20, 60, 60, 60, 20, 20}, 1, 1, 2, 6, 40},
        {{20, 20, 20, 60, 60, 60, 20, 20, 20, 20}, 1, 3, 2, 8, 40},
        {{20, 20, 20, 60, 60, 60, 20, 20}, 2, 0, 1, 5, 40},
        {{45, 45, 45, 62, 65, 65, 45}, 0, 0, 3, 5, 20},
        {{45, 65, 65, 45}, 5, 5, 0, 3, 20},
        {{50, 50, 50}, 0, 0, 0, 2, 0},
        {{}, 2, 2, 0, 0, 0},
    };
    for (const Row& row : rows) {
        const BlockSpan span = speakerSpan(row.db, 10, row.before, row.after);
        EXPECT_EQ(std::pair(span.first, span.last), std::pair(row.first, row.last))
            << row.db.size();
        EXPECT_EQ(speechOverRoomDb(row.db), row.overRoom) << row.db.size();
    }
}

// How much of the speaker's loud part the words of a hypothesis leave out: blocks of 20 ms
// (two frames each) within 10 dB of the loudest, and words as frames.
TEST(SpeechSpan, LoudBlocksOutsideTheWordsAreCounted) {
    const std::vector<double> speech{20, 60, 60, 60, 60, 20, 58, 58, 20, 20};
    struct Row {
        const char* why;
        std::vector<WordFrames> words;
        double share;
    } rows[] = {
        {"the words cover all that is loud", {{2, 9}, {10, 15}}, 0},
        {"quiet blocks outside count for nothing", {{1, 14}}, 0},
        {"half a block's frames cover it", {{3, 8}, {12, 14}}, 0},
        {"the last word made of the first loud part only", {{2, 9}}, 2.0 / 6},
        {"the words next to the speech", {{0, 1}, {16, 19}}, 1},
        {"no words", {}, 1},
    };
    for (const Row& row : rows) {
        EXPECT_DOUBLE_EQ(loudOutsideWords(speech, row.words, 10), row.share) << row.why;
    }
    EXPECT_EQ(loudOutsideWords({}, {{0, 5}}, 10), 0);
}
