// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether an utterance is taken for a command, from what the decoder made of it, and where an
// utterance begins and ends: plain values in, a decision out, so that the rules are tested
// without a recognizer.
#include <QHash>
#include <QString>

#include <deque>
#include <vector>

namespace qv {

// The warp that heard the most of a pupil's enrolment right (right[i] of warps[i]); on a tie the
// one nearest no warp (1): a warp that is not needed spoils the commands it does not help. A
// warp must hear at least minGain more right than no warp (when that was tried) to be chosen.
double chooseVoiceWarp(const std::vector<double>& warps, const std::vector<int>& right,
                       int minGain = 1);

struct Judgement {
    bool accepted = false;
    QString text; // the grammar's spelling of a command, else the words heard
};

// What the decoder made of an utterance. The gaps are how far, in log score per frame, the
// hypothesis' best path in the word graph is ahead of the best path that is another command
// and of the best that is no command: below 0 when the rival is ahead, noRival when there is no
// such rival (or the rivals were not looked for), -noRival when the hypothesis' own path is not
// among the paths looked at.
constexpr double noRival = 1e9;
struct Heard {
    QString hypothesis;                // the grammar search's words
    double shortestFramesPerPhone = 0; // of the hypothesis' words (0 when it has none)
    double otherCommandGap = noRival;
    double noCommandGap = noRival;
    // The share of the speaker's loud blocks that fall outside the hypothesis' words (in its
    // silences and noises): speech of which a command was made out of a part only.
    double loudOutsideWords = 0;
    // Whether the room was heard with the speaker: talk or noise before the words or under them.
    bool roomHeard = false;
};

// Whether the words heard are other words and then a whole command ("club button three"): the
// room's talk just before the speaker heard as a word of its own, or words the speaker said.
bool commandAfterOtherWords(const QString& hypothesis, const QHash<QString, QString>& commands);

// What a command must show to be taken; the defaults check nothing.
struct JudgeLimits {
    double minFramesPerPhone = 0;
    double minOtherCommandGap = -noRival;
    double minNoCommandGap = -noRival;
    double maxLoudOutsideWords = 1;
    double maxLoudOutsideWordsInRoom = 1; // where the room was heard with the speaker
};

// commands: each text of the grammar in lower case (as the decoder hears it) with its spelling
// in the grammar.
Judgement judgeUtterance(const Heard& heard, const QHash<QString, QString>& commands,
                         const JudgeLimits& limits);

// The frames (10 ms, first..last inclusive) of the words of a hypothesis.
struct WordFrames {
    int first = 0;
    int last = 0;
};
// Of the blocks (20 ms, their energies in dB) within belowDb of the loud ones (a high
// percentile), the share that no word covers; 0 when there are none.
double loudOutsideWords(const std::vector<double>& blockDb, const std::vector<WordFrames>& words,
                        double belowDb);

// Where utterances begin and end, from the energy of 20 ms blocks against a floor that follows
// the room: a low percentile of the recent blocks heard outside speech, so that children
// talking behind or a fan raise it and the speaker still stands out. Speech starts when
// startBlocks blocks in a row are startDb over the floor and ends after endBlocks blocks under
// endDb over it; an utterance that reaches maxBlocks is cut there and judged anyway, and its
// blocks then count for the floor, so that a room that got louder for good is learnt.
struct EndpointSettings {
    int floorBlocks = 50;         // the floor's window: the last second outside speech
    double floorPercentile = 0.3; // the quieter gaps of background talk, not its peaks
    double minFloorDb = 20;       // digital silence: a rounding error is no speech
    double startDb = 12;
    int startBlocks = 3;
    double endDb = 8;
    // In a steady room (a fan, noise) the room's own blocks keep close to its floor, and the
    // faint sounds within a command (the closure of "button", its "n") sink under endDb: there
    // a block counts towards the end only when it is no louder than the room's louder blocks
    // (their 90th percentile) and quietOverRoomDb; one between that and endDb neither counts
    // nor breaks the count. Twice endBlocks in a row under endDb end the utterance as well.
    double quietOverRoomDb = 3;
    int endBlocks = 13;
    int maxBlocks = 150; // 3 s: a command takes about one
};

class Endpointer {
public:
    enum class Event { None, Start, End, Cut };
    explicit Endpointer(EndpointSettings settings = {}) : settings_(settings) {}
    // One block of audio; Start comes with the last of the startBlocks loud blocks.
    Event push(const qint16* samples, size_t count);
    bool inSpeech() const { return inSpeech_; }
    double floorDb() const;
    void reset();
    // The energy of a block in dB over one unit squared (0 for silence).
    static double blockDb(const qint16* samples, size_t count);

private:
    EndpointSettings settings_;
    std::deque<double> history_; // outside speech, newest last
    std::vector<double> utterance_;
    bool inSpeech_ = false;
    int loud_ = 0;
    int quiet_ = 0;
    int underEnd_ = 0; // blocks in a row under endDb over the floor
};

// The part of an utterance's blocks (their energies in dB) that the speaker fills: from the
// first to the last block within belowDb of the loud blocks (a high percentile), widened by
// padBefore blocks before and padAfter after. Talk behind the speaker, 20 dB down, falls
// outside it; the quiet consonants at a word's edge fall inside the padding. first..last,
// inclusive; 0..size-1 when nothing stands out.
struct BlockSpan {
    size_t first = 0;
    size_t last = 0;
};
BlockSpan speakerSpan(const std::vector<double>& blockDb, double belowDb, size_t padBefore,
                      size_t padAfter);

// How far an utterance's speech stands over the room it was said in: the loud blocks (a high
// percentile of their energies in dB) over the quiet ones (a low percentile: the pauses and the
// edges, which hold only the room). 0 for no blocks.
double speechOverRoomDb(const std::vector<double>& blockDb);

// A too-loud input cuts the peaks of the waves off flat, which the model hears as other vowels.
// Each run of samples at or beyond clipLevel is drawn again as the cubic that joins its two
// neighbours with half their slopes; then the whole is scaled down so that the tallest peak fits.
std::vector<qint16> declipped(const std::vector<qint16>& audio, int clipLevel);

} // namespace qv
