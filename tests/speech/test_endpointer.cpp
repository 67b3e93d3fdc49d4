// SPDX-License-Identifier: GPL-3.0-or-later
// Where utterances begin and end.
#include "speech/endpointer.h"

#include <gtest/gtest.h>

using namespace qv;

// Utterances begin and end against the room's own level: in a quiet room, in talk in bursts and
// talk that never stops, for a speaker who never stops, and in a room that got louder for good.
// Each stretch is a level (the amplitude of 20 ms blocks) held for a number of blocks, or two
// levels block by block, as a room that is never quite steady.
TEST(SpeechEndpointer, StartsAndEndsAgainstTheRoom) {
    using Event = Endpointer::Event;
    struct Stretch {
        qint16 level;
        int blocks;
        qint16 everyOther = 0; // the level of every other block; 0: the same
    };
    struct Row {
        const char* room;
        std::vector<Stretch> stretches;
        std::vector<std::pair<Event, int>> events; // and the block they come with
    } rows[] = {
        // A noise learnt as the room (after the cut, as below). Over a floor of 300, 500
        // stands 4.4 dB and 600 6 dB. A louder block of the noise after the speaker puts the
        // end off by itself only.
        {"steady noise: a faint stretch within a command ends nothing",
         {{300, 200}, {3000, 20}, {500, 20}, {3000, 20}, {300, 6}, {500, 1}, {300, 20}},
         {{Event::Start, 2}, {Event::Cut, 149}, {Event::Start, 202}, {Event::End, 273}}},
        {"steady noise that gets 6 dB louder for good: ended after twice the wait",
         {{300, 200}, {3000, 20}, {600, 40}},
         {{Event::Start, 2}, {Event::Cut, 149}, {Event::Start, 202}, {Event::End, 245}}},
        {"uneven noise: its louder blocks are the room",
         {{300, 200, 600}, {3000, 20}, {300, 40, 600}},
         {{Event::Start, 2}, {Event::Cut, 149}, {Event::Start, 202}, {Event::End, 232}}},
        // Its louder half stands 10 dB over its floor: more than 8 dB over it is never quiet.
        {"uneven talk behind: the speaker is cut at 3 s",
         {{300, 200, 1000}, {3000, 20}, {300, 150, 1000}},
         {{Event::Start, 2}, {Event::Cut, 149}, {Event::Start, 202}, {Event::Cut, 349}}},
        {"quiet room", {{10, 60}, {1000, 20}, {10, 20}}, {{Event::Start, 62}, {Event::End, 92}}},
        {"a click is no speech", {{10, 60}, {1000, 2}, {10, 20}}, {}},
        // Talk already going on when listening begins is taken for speech until the cut at
        // 3 s; from then on it is the room.
        {"talk behind never stops, speaker 20 dB over it",
         {{300, 200}, {3000, 30}, {300, 30}},
         {{Event::Start, 2}, {Event::Cut, 149}, {Event::Start, 202}, {Event::End, 242}}},
        {"talk behind, speaker only 6 dB over it",
         {{300, 200}, {600, 30}, {300, 30}},
         {{Event::Start, 2}, {Event::Cut, 149}}},
        // Talk 20 dB under the speaker, in bursts in a room otherwise silent. Where the speaker
        // began in it, the talk after the words is the room from their end on, and is held
        // until the room is quiet or the speaker comes back; where the room was silent before,
        // it is taken for the speaker's until it stops, and a faint stretch of a slow command
        // ends nothing.
        {"talk before and after the words: the speaker has left",
         {{10, 60}, {300, 30}, {3000, 20}, {300, 40}, {10, 30}},
         {{Event::Start, 62}, {Event::Left, 122}}},
        {"the speaker comes back during the talk after",
         {{10, 60}, {300, 30}, {3000, 20}, {300, 20}, {3000, 20}, {10, 30}},
         {{Event::Start, 62}, {Event::Left, 122}, {Event::Start, 132}, {Event::End, 162}}},
        {"a burst of talk 12 dB under the speaker is held as well",
         {{10, 60}, {300, 30}, {3000, 20}, {300, 20}, {750, 10}, {300, 10}, {10, 30}},
         {{Event::Start, 62}, {Event::Left, 122}}},
        // 6 dB over the floor: the speaker's faint end, not talk; under endDb it ends the
        // utterance after twice the wait.
        {"a faint end after the words in talk",
         {{10, 60}, {300, 30}, {3000, 20}, {20, 40}, {10, 30}},
         {{Event::Start, 62}, {Event::End, 135}}},
        {"talk after the words only",
         {{10, 60}, {3000, 20}, {300, 40}, {10, 30}},
         {{Event::Start, 62}, {Event::End, 132}}},
        {"a faint stretch within a slow command in a silent room",
         {{10, 60}, {3000, 10}, {300, 20}, {3000, 10}, {10, 30}},
         {{Event::Start, 62}, {Event::End, 112}}},
        {"a speaker who never stops is cut at 3 s, then taken for the room",
         {{10, 60}, {3000, 600}},
         {{Event::Start, 62}, {Event::Cut, 209}}},
    };
    for (const Row& row : rows) {
        Endpointer ep;
        std::vector<std::pair<Event, int>> got;
        int index = 0;
        for (const Stretch& stretch : row.stretches) {
            const std::vector<qint16> block(320, stretch.level);
            const std::vector<qint16> other(320, stretch.everyOther ? stretch.everyOther
                                                                    : stretch.level);
            for (int i = 0; i < stretch.blocks; ++i, ++index) {
                const std::vector<qint16>& now = i % 2 ? other : block;
                if (const Event e = ep.push(now.data(), now.size()); e != Event::None) {
                    got.emplace_back(e, index);
                }
            }
        }
        EXPECT_EQ(got, row.events) << row.room;
    }
}
