// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where utterances begin and end, from the energy of 20 ms blocks against a floor that follows
// the room: a low percentile of the recent blocks heard outside speech, so that children
// talking behind or a fan raise it and the speaker still stands out.
#include "speech/tuning.h"

#include <QtGlobal>

#include <cstddef>
#include <deque>
#include <vector>

namespace qv {

// Speech starts when startBlocks blocks in a row are startDb over the floor and ends after
// endBlocks blocks under endDb over it; an utterance that reaches maxBlocks is cut there and
// judged anyway, and its blocks then count for the floor, so that a room that got louder for
// good is learnt.
struct EndpointSettings {
    int floorBlocks = tuning::floorBlocks; // the floor's window: the last second outside speech
    double floorPercentile = tuning::floorPercentile;
    double minFloorDb = tuning::minFloorDb; // digital silence: a rounding error is no speech
    double startDb = tuning::startDb;
    int startBlocks = tuning::startBlocks;
    double endDb = tuning::endDb;
    // In a steady room (a fan, noise) the room's own blocks keep close to its floor, and the
    // faint sounds within a command (the closure of "button", its "n") sink under endDb: there
    // a block counts towards the end only when it is no louder than the room's louder blocks
    // and quietOverRoomDb; one between that and endDb neither counts nor breaks the count.
    // Twice endBlocks in a row under endDb end the utterance as well.
    double quietOverRoomDb = tuning::quietOverRoomDb;
    int endBlocks = tuning::endBlocks;
    // Where the room was heard talking as the speaker began, endBlocks blocks in a row that far
    // under the utterance's loud ones, half of them endDb over the floor or louder, end it too,
    // as Left: the speaker stopped, and what goes on is the talk behind. 0: never.
    double speakerGoneDb = tuning::speakerGoneDb;
    int maxBlocks = tuning::maxBlocks; // 3 s: a command takes about one
};

class Endpointer {
public:
    enum class Event { None, Start, End, Left, Cut };
    explicit Endpointer(EndpointSettings settings = {}) : settings_(settings) {}
    // One block of audio; Start comes with the last of the startBlocks loud blocks.
    Event push(const qint16* samples, std::size_t count);
    bool inSpeech() const { return inSpeech_; }
    // After Left, the talk that follows is the room's: held, with no event, until the room is
    // quiet, a voice within speakerBelowDb of the speaker's loud blocks returns, or maxBlocks
    // passed.
    bool holdingRoom() const { return holding_; }
    void stopHolding() { holding_ = false; }
    double floorDb() const;
    void reset();

private:
    bool roomTalkedFirst(double roomHigh, double endLevel, double speakerGone) const;
    bool holdRoom(double db, double floor);

    EndpointSettings settings_;
    std::deque<double> history_; // outside speech, newest last
    std::vector<double> utterance_;
    bool inSpeech_ = false;
    int loud_ = 0;
    int quiet_ = 0;
    int underEnd_ = 0;     // blocks in a row under endDb over the floor
    int underSpeaker_ = 0; // blocks in a row speakerGoneDb under the utterance's loud ones
    int talkAfter_ = 0;    // and of those, the ones endDb over the floor or louder
    bool holding_ = false;
    double leftLoudDb_ = 0; // the loud blocks of the speaker who left
    int held_ = 0;
    int heldQuiet_ = 0;
};

} // namespace qv
