// SPDX-License-Identifier: GPL-3.0-or-later
#include "speech/endpointer.h"

#include "speech/levels.h"

#include <algorithm>

namespace qv {

double Endpointer::floorDb() const {
    if (history_.empty()) {
        return settings_.minFloorDb;
    }
    return std::max(settings_.minFloorDb,
                    percentile({history_.begin(), history_.end()}, settings_.floorPercentile));
}

void Endpointer::reset() {
    inSpeech_ = false;
    loud_ = 0;
    quiet_ = 0;
    underEnd_ = 0;
    underSpeaker_ = 0;
    talkAfter_ = 0;
    utterance_.clear();
}

// Talk the speaker began in: the room's louder blocks stood over endDb before the utterance, or
// the utterance itself began with endBlocks blocks of talk under the speaker. In a silent room
// a faint stretch of a slow command is never taken for the speaker leaving.
bool Endpointer::roomTalkedFirst(double roomHigh, double endLevel, double speakerGone) const {
    if (roomHigh >= endLevel) {
        return true;
    }
    const auto lead = std::find_if(utterance_.begin(), utterance_.end(),
                                   [&](double value) { return value >= speakerGone; });
    return lead - utterance_.begin() >= settings_.endBlocks;
}

// A block while the talk after a speaker who left is held: true when it is held (the room's),
// false when the hold is over and the block is heard as any other.
bool Endpointer::holdRoom(double db, double floor) {
    ++held_;
    // Talk a little louder than the talk that ended the utterance is still the room's.
    const bool speakerAgain = db >= leftLoudDb_ - tuning::speakerBelowDb;
    heldQuiet_ = db < floor + settings_.endDb ? heldQuiet_ + 1 : 0;
    holding_ = !speakerAgain && heldQuiet_ < settings_.endBlocks && held_ < settings_.maxBlocks;
    return !speakerAgain;
}

Endpointer::Event Endpointer::push(const qint16* samples, size_t count) {
    const double db = qv::blockDb(samples, count);
    const double floor = floorDb();
    auto remember = [this](double value) {
        history_.push_back(value);
        while (history_.size() > size_t(settings_.floorBlocks)) {
            history_.pop_front();
        }
    };
    if (holding_ && holdRoom(db, floor)) {
        remember(db);
        return Event::None;
    }
    if (!inSpeech_) {
        loud_ = db > floor + settings_.startDb ? loud_ + 1 : 0;
        if (loud_ < settings_.startBlocks) {
            // The loud blocks before a start are speech: they stay out of the floor.
            if (loud_ == 0) {
                remember(db);
            }
            return Event::None;
        }
        // The counts of the end are zero: reset() ended the last utterance, or none began.
        inSpeech_ = true;
        utterance_.assign(size_t(loud_), db);
        return Event::Start;
    }
    utterance_.push_back(db);
    // A block at endLevel or over breaks both counts. Under it, one no louder than the room's
    // louder blocks and quietOverRoomDb counts at once; the rest (a steady room that got a little
    // louder for good) end the utterance after twice the wait, not at the cut at maxBlocks.
    const double endLevel = floor + settings_.endDb;
    const double roomHigh = history_.empty() ? floor
                                             : percentile({history_.begin(), history_.end()},
                                                          tuning::roomLoudPercentile);
    const double quietBelow = std::max(floor, roomHigh) + settings_.quietOverRoomDb;
    underEnd_ = db < endLevel ? underEnd_ + 1 : 0;
    quiet_ = underEnd_ == 0 ? 0 : quiet_ + (db < quietBelow ? 1 : 0);
    const double loud = percentile(utterance_, tuning::loudPercentile);
    const double speakerGone = loud - settings_.speakerGoneDb;
    const bool underSpeaker = settings_.speakerGoneDb > 0 && db < speakerGone;
    underSpeaker_ = underSpeaker ? underSpeaker_ + 1 : 0;
    talkAfter_ = underSpeaker ? talkAfter_ + (db >= endLevel ? 1 : 0) : 0;
    const bool quietEnd = quiet_ >= settings_.endBlocks || underEnd_ >= 2 * settings_.endBlocks;
    // Half of the wait over the floor: a speaker's fading end is the room's quiet, whose own
    // end comes as soon.
    const bool left = !quietEnd && underSpeaker_ >= settings_.endBlocks &&
                      2 * talkAfter_ >= settings_.endBlocks &&
                      roomTalkedFirst(roomHigh, endLevel, speakerGone);
    if (quietEnd || left) {
        // The end belongs to the room: its quiet, or the talk going on after the speaker.
        const int roomBlocks = quietEnd ? underEnd_ : underSpeaker_;
        for (size_t i = utterance_.size() - size_t(roomBlocks); i < utterance_.size(); ++i) {
            remember(utterance_[i]);
        }
        reset();
        if (quietEnd) {
            return Event::End;
        }
        holding_ = true;
        leftLoudDb_ = loud;
        held_ = 0;
        heldQuiet_ = 0;
        return Event::Left;
    }
    if (int(utterance_.size()) >= settings_.maxBlocks) {
        for (const double value : utterance_) {
            remember(value);
        }
        reset();
        return Event::Cut;
    }
    return Event::None;
}

} // namespace qv
