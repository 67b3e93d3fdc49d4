// SPDX-License-Identifier: GPL-3.0-or-later
// The rule that takes an utterance for a command.
#include "speech/judge.h"

#include <gtest/gtest.h>

using namespace qv;

// What the decoder heard is a command only as a whole text of the grammar, said no faster than
// the duration check allows, clearly ahead of its rivals and filling the speech (more so where
// the room was heard); a rejection reports the words as heard.
TEST(SpeechJudge, OnlyAWholeCommandAtAPlausibleSpeedAndClearlyAheadIsAccepted) {
    const QHash<QString, QString> commands{{"button three", "Button Three"},
                                           {"button ten", "Button Ten"}};
    const JudgeLimits limits{4.0, 0.5, 0.25, 0.2, 0.15};
    struct Row {
        const char* heard;
        double framesPerPhone;
        double otherCommandGap;
        double noCommandGap;
        double loudOutsideWords;
        bool roomHeard;
        bool accepted;
        const char* text;
    } rows[] = {
        {"button three", 4.8, noRival, noRival, 0, false, true, "Button Three"},
        {"button ten", 4.0, 0.5, 0.25, 0.2, false, true, "Button Ten"},
        {"button three", 3.5, noRival, noRival, 0, false, false, "Button Three"},
        {"button three", 6.0, 0.4, noRival, 0, false, false, "Button Three"},
        {"button three", 6.0, noRival, 0.2, 0, false, false, "Button Three"},
        {"button three", 6.0, -noRival, noRival, 0, false, false, "Button Three"},
        {"button three", 6.0, noRival, noRival, 0.25, false, false, "Button Three"},
        {"button three", 6.0, noRival, noRival, 0.15, true, true, "Button Three"},
        {"button three", 6.0, noRival, noRival, 0.2, true, false, "Button Three"},
        {"button three seven", 6.0, noRival, noRival, 0, false, false, "button three seven"},
        {"can i go button three", 6.0, noRival, noRival, 0, false, false, "can i go button three"},
        {"button", 6.0, noRival, noRival, 0, false, false, "button"},
        {"Button Three", 6.0, noRival, noRival, 0, false, false, "Button Three"},
        {"", 0.0, noRival, noRival, 0, false, false, ""},
    };
    for (const Row& row : rows) {
        const Judgement j =
            judgeUtterance({QString::fromLatin1(row.heard), row.framesPerPhone, row.otherCommandGap,
                            row.noCommandGap, row.loudOutsideWords, row.roomHeard},
                           commands, limits);
        EXPECT_EQ(j.accepted, row.accepted)
            << row.heard << " at " << row.framesPerPhone << ", " << row.otherCommandGap << ", "
            << row.noCommandGap << ", " << row.loudOutsideWords
            << (row.roomHeard ? " in a room" : "");
        EXPECT_EQ(j.text, QString::fromLatin1(row.text)) << row.heard;
    }
}

// Other words and then a whole command that ends them; a command alone, or one with words
// after it, is not this case.
TEST(SpeechJudge, ACommandAfterOtherWordsIsFound) {
    const QHash<QString, QString> commands{{"button three", "Button Three"}, {"ten", "Ten"}};
    const struct {
        const char* heard;
        bool found;
    } rows[] = {
        {"club button three", true},
        {"can i go to button three", true},
        {"button three", false},
        {"club button ten", true},
        {"club button three ten", true},
        {"above button three seven", false},
        {"button three club", false},
        {"club three", false},
        {"ten", false},
        {"", false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(commandAfterOtherWords(QString::fromLatin1(row.heard), commands), row.found)
            << row.heard;
    }
}
