// SPDX-License-Identifier: GPL-3.0-or-later
// The XML command grammar reader and its JSGF conversion, and the rule that takes an utterance
// for a command.
#include "bench/speech/speech_runner.h"
#include "platform/recognizer/enrol.h"
#include "platform/recognizer/grammarfile.h"
#include "speech/grammar.h"
#include "speech/judge.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace qv;

namespace {

CommandGrammar readOk(const QByteArray& xml) {
    CommandGrammar grammar;
    QString error;
    EXPECT_TRUE(readCommandGrammar(xml, &grammar, &error)) << qPrintable(error);
    return grammar;
}

} // namespace

TEST(SpeechGrammar, OurGrammarFileHoldsExactlyTheTenCommands) {
    CommandGrammar grammar;
    QString error;
    ASSERT_TRUE(readCommandGrammarFile(qvspeech::grammarFile(), &grammar, &error))
        << qPrintable(error);
    QStringList phrases = commandGrammarPhrases(grammar), expected = qvspeech::commandPhrases();
    phrases.sort();
    expected.sort();
    EXPECT_EQ(phrases, expected);
}

// The texts a grammar gives: optional parts, lists, references, several top-level rules,
// words lower-cased and spaces folded.
TEST(SpeechGrammar, PhrasesOfTheGrammar) {
    const struct {
        QByteArray xml;
        QStringList phrases;
    } rows[] = {
        {"<GRAMMAR><RULE NAME='a' TOPLEVEL='ACTIVE'>please <O>now</O></RULE>"
         "<RULE ID='7' TOPLEVEL='INACTIVE'><L><P>yes</P><RULEREF REFID='8'/></L></RULE>"
         "<RULE ID='8'><P/></RULE></GRAMMAR>",
         {"please", "please now", "yes"}},
        {"<GRAMMAR><RULE NAME='r' TOPLEVEL='ACTIVE'>  Button\n\tONE </RULE></GRAMMAR>",
         {"button one"}},
    };
    for (const auto& row : rows) {
        const CommandGrammar grammar = readOk(row.xml);
        QByteArray jsgf;
        QString error;
        EXPECT_TRUE(commandGrammarToJsgf(grammar, &jsgf, &error)) << qPrintable(error);
        EXPECT_EQ(commandGrammarPhrases(grammar), row.phrases);
    }
}

// Damaged files and files beyond a limit are refused with a message that says why.
TEST(SpeechGrammar, DamagedOrTooCostlyFilesAreRefusedWithAMessage) {
    const struct {
        QByteArray xml;
        const char* message; // part of the error text
        GrammarLimits limits = {};
    } rows[] = {
        {"", "Grammar line 1"},
        {"<grammar><RULE NAME='a'/></grammar>", "one GRAMMAR"},
        {"<GRAMMAR><RULE NAME='a'><WILDCARD/></RULE></GRAMMAR>", "unknown element WILDCARD"},
        {"<GRAMMAR><P>x</P></GRAMMAR>", "unexpected element P"},
        {"<GRAMMAR><RULE TOPLEVEL='ACTIVE'>x</RULE></GRAMMAR>", "NAME or an ID"},
        {"<GRAMMAR><RULE NAME='a' ID='x1'>x</RULE></GRAMMAR>", "is not a number"},
        {"<GRAMMAR><RULE NAME='a' TOPLEVEL='yes'>x</RULE></GRAMMAR>", "ACTIVE or INACTIVE"},
        {"<GRAMMAR><RULE NAME='a'><L>one two</L></RULE></GRAMMAR>", "directly inside L"},
        {"<GRAMMAR><RULE NAME='a'><L></L></RULE></GRAMMAR>", "without alternatives"},
        {"<GRAMMAR><RULE NAME='a'>button &lt;one&gt;</RULE></GRAMMAR>", "not a plain word"},
        {"<GRAMMAR><RULE NAME='a'><RULEREF/></RULE></GRAMMAR>", "NAME or a REFID"},
        {"<GRAMMAR><RULE NAME='a'><RULEREF NAME='b'>x</RULEREF></RULE><RULE NAME='b'>y</RULE>"
         "</GRAMMAR>",
         "holds nothing"},
        {"<GRAMMAR><RULE NAME='a'>x</RULE><RULE NAME='a'>y</RULE></GRAMMAR>", "defined twice"},
        {"<GRAMMAR><RULE ID='3'>x</RULE><RULE ID='3'>y</RULE></GRAMMAR>", "used twice"},
        {"<!DOCTYPE GRAMMAR [<!ENTITY a 'button one'>]><GRAMMAR><RULE NAME='r'>&a;</RULE>"
         "</GRAMMAR>",
         "not allowed"},
        {"<GRAMMAR><RULE NAME='a'>one two three four</RULE></GRAMMAR>",
         "larger than 40 bytes",
         {.maxBytes = 40}},
        {"<GRAMMAR><RULE NAME='a'><P><P><P><P>x</P></P></P></P></RULE></GRAMMAR>",
         "nested too deeply",
         {.maxDepth = 4}},
        {"<GRAMMAR><RULE NAME='a'><P>a</P><P>b</P><P>c</P><P>d</P></RULE></GRAMMAR>",
         "too many elements",
         {.maxElements = 5}},
        {"<GRAMMAR><RULE NAME='a'>x</RULE><RULE NAME='b'>y</RULE></GRAMMAR>",
         "too many rules",
         {.maxRules = 1}},
    };
    for (const auto& row : rows) {
        CommandGrammar grammar;
        QString error;
        EXPECT_FALSE(readCommandGrammar(row.xml, &grammar, &error, row.limits))
            << row.xml.constData();
        EXPECT_TRUE(error.contains(QLatin1String(row.message))) << qPrintable(error);
    }
}

// A grammar that reads but names no way in, or a rule that is missing or refers to itself,
// is not converted.
TEST(SpeechGrammar, GrammarsWithoutAWayInOrWithACycleAreNotConverted) {
    const struct {
        QByteArray xml;
        const char* message;
    } rows[] = {
        {"<GRAMMAR><RULE NAME='a'>x</RULE></GRAMMAR>", "no top-level rule"},
        {"<GRAMMAR><RULE NAME='a' TOPLEVEL='ACTIVE'><RULEREF NAME='b'/></RULE></GRAMMAR>",
         "missing rule \"b\""},
        {"<GRAMMAR><RULE NAME='a' TOPLEVEL='ACTIVE'><RULEREF NAME='b'/></RULE>"
         "<RULE NAME='b'><O><RULEREF NAME='a'/></O></RULE></GRAMMAR>",
         "refers to itself"},
    };
    for (const auto& row : rows) {
        QByteArray jsgf;
        QString error;
        EXPECT_FALSE(commandGrammarToJsgf(readOk(row.xml), &jsgf, &error)) << row.xml.constData();
        EXPECT_TRUE(error.contains(QLatin1String(row.message))) << qPrintable(error);
        EXPECT_TRUE(jsgf.isEmpty());
    }
}

TEST(SpeechGrammar, PhraseExpansionStopsAtItsBound) {
    // Ten alternatives, four times in sequence: 10000 texts, cut at the bound.
    QByteArray list = "<L>";
    for (const char* w : {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}) {
        list += QByteArray("<P>") + w + "</P>";
    }
    list += "</L>";
    const CommandGrammar grammar = readOk("<GRAMMAR><RULE NAME='r' TOPLEVEL='ACTIVE'>" + list +
                                          list + list + list + "</RULE></GRAMMAR>");
    EXPECT_EQ(commandGrammarPhrases(grammar, 50).size(), 50);
}

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

// The warp that heard most of an enrolment wins; a tie goes to the warp nearest none, in either
// direction, whatever the order the warps were tried in.
TEST(SpeechJudge, VoiceWarpHeardMostWinsTiesGoNearestNone) {
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

// Utterances begin and end against the room's own level: in a quiet room, in talk that never
// stops, for a speaker who never stops, and in a room that got louder for good. Each stretch
// is a level (the amplitude of 20 ms blocks) held for a number of blocks, or two levels block
// by block, as a room that is never quite steady.
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

// The speaker's part of an utterance: the blocks near its loudest (within 10 dB), padded before
// and after; talk 20 dB below before and after it falls outside. And how far the speaker stands
// over the room.
TEST(SpeechEndpointer, SpeakerSpanLeavesTheRoomOut) {
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
TEST(SpeechJudge, LoudBlocksOutsideTheWordsAreCounted) {
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
