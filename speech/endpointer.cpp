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
    utterance_.clear();
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
    if (!inSpeech_) {
        loud_ = db > floor + settings_.startDb ? loud_ + 1 : 0;
        if (loud_ < settings_.startBlocks) {
            // The loud blocks before a start are speech: they stay out of the floor.
            if (loud_ == 0) {
                remember(db);
            }
            return Event::None;
        }
        inSpeech_ = true;
        quiet_ = 0;
        underEnd_ = 0;
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
    if (quiet_ >= settings_.endBlocks || underEnd_ >= 2 * settings_.endBlocks) {
        // The quiet end belongs to the room.
        for (size_t i = utterance_.size() - size_t(underEnd_); i < utterance_.size(); ++i) {
            remember(utterance_[i]);
        }
        reset();
        return Event::End;
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
