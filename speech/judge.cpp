// SPDX-License-Identifier: GPL-3.0-or-later
#include "speech/judge.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

// The value below which that share of the values lie (0 for none).
double percentile(std::vector<double> values, double share) {
    if (values.empty()) {
        return 0;
    }
    const auto at = values.begin() + std::ptrdiff_t(share * double(values.size() - 1));
    std::nth_element(values.begin(), at, values.end());
    return *at;
}

// The blocks at or over this are the speaker's: within belowDb of the loud ones.
double speakerLevel(const std::vector<double>& blockDb, double belowDb) {
    return percentile(blockDb, 0.9) - belowDb;
}

} // namespace

Judgement judgeUtterance(const Heard& heard, const QHash<QString, QString>& commands,
                         const JudgeLimits& limits) {
    // Only a whole text of the grammar is a command: the loop of likely words may give any
    // words, a command's among them. A command said implausibly fast is a squeezed guess, and so
    // is one that its rivals in the word graph are well ahead of, or one whose words leave much
    // of the speech out: a wrong program started is worse than a command said again.
    const auto command = commands.constFind(heard.hypothesis);
    if (command == commands.constEnd()) {
        return {false, heard.hypothesis};
    }
    const double maxOutside =
        heard.roomHeard ? limits.maxLoudOutsideWordsInRoom : limits.maxLoudOutsideWords;
    const bool clear = heard.shortestFramesPerPhone >= limits.minFramesPerPhone &&
                       heard.otherCommandGap >= limits.minOtherCommandGap &&
                       heard.noCommandGap >= limits.minNoCommandGap &&
                       heard.loudOutsideWords <= maxOutside;
    return {clear, command.value()};
}

bool commandAfterOtherWords(const QString& hypothesis, const QHash<QString, QString>& commands) {
    const QStringList words = hypothesis.split(u' ', Qt::SkipEmptyParts);
    for (qsizetype from = 1; from < words.size(); ++from) {
        if (commands.contains(words.mid(from).join(u' '))) {
            return true;
        }
    }
    return false;
}

double chooseVoiceWarp(const std::vector<double>& warps, const std::vector<int>& right,
                       int minGain) {
    double best = 1.0;
    int bestRight = -1;
    int none = -1;
    for (size_t i = 0; i < std::min(warps.size(), right.size()); ++i) {
        const bool nearer = std::abs(warps[i] - 1.0) < std::abs(best - 1.0);
        if (right[i] > bestRight || (right[i] == bestRight && nearer)) {
            best = warps[i];
            bestRight = right[i];
        }
        none = warps[i] == 1.0 ? right[i] : none;
    }
    return none >= 0 && bestRight < none + minGain ? 1.0 : best;
}

double Endpointer::blockDb(const qint16* samples, size_t count) {
    double sum = 0;
    for (size_t i = 0; i < count; ++i) {
        sum += double(samples[i]) * samples[i];
    }
    return 10.0 * std::log10(1.0 + (count ? sum / double(count) : 0.0));
}

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
    const double db = blockDb(samples, count);
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
    const double roomHigh =
        history_.empty() ? floor : percentile({history_.begin(), history_.end()}, 0.9);
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
    return percentile(blockDb, 0.9) - percentile(blockDb, 0.1);
}

std::vector<qint16> declipped(const std::vector<qint16>& audio, int clipLevel) {
    const auto n = std::ptrdiff_t(audio.size());
    std::vector<double> wave(audio.begin(), audio.end());
    const auto at = [&](std::ptrdiff_t i) { return double(audio[size_t(i)]); };
    for (std::ptrdiff_t i = 0; i < n;) {
        const int sample = audio[size_t(i)];
        const int sign = sample >= clipLevel ? 1 : (sample <= -clipLevel ? -1 : 0);
        if (sign == 0) {
            ++i;
            continue;
        }
        std::ptrdiff_t end = i;
        while (end < n && sign * int(audio[size_t(end)]) >= clipLevel) {
            ++end;
        }
        // Between the last sample before the run (left) and the first after it (right).
        const std::ptrdiff_t left = i - 1;
        const std::ptrdiff_t right = end;
        if (left >= 0 && right < n) {
            const auto span = double(right - left);
            const double p0 = at(left);
            const double p1 = at(right);
            // Half the slope of each neighbour: with the whole slopes the curve overshoots the
            // peaks of speech, and more clipped commands were misheard.
            const double m0 = left > 0 ? (p0 - at(left - 1)) * span / 2 : 0.0;
            const double m1 = right + 1 < n ? (at(right + 1) - p1) * span / 2 : 0.0;
            for (std::ptrdiff_t k = i; k < end; ++k) {
                const double t = double(k - left) / span;
                const double t2 = t * t;
                const double t3 = t2 * t;
                const double y = (2 * t3 - 3 * t2 + 1) * p0 + (t3 - 2 * t2 + t) * m0 +
                                 (-2 * t3 + 3 * t2) * p1 + (t3 - t2) * m1;
                // The wave went at least as far as where it was cut.
                wave[size_t(k)] = sign * std::max(sign * y, double(clipLevel));
            }
        }
        i = end;
    }
    double peak = 1;
    for (const double v : wave) {
        peak = std::max(peak, std::abs(v));
    }
    const double scale = std::min(1.0, double(clipLevel) / peak);
    std::vector<qint16> out(audio.size());
    for (size_t k = 0; k < wave.size(); ++k) {
        out[k] = qint16(std::lround(wave[k] * scale));
    }
    return out;
}

} // namespace qv
