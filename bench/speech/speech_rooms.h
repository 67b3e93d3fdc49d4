// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The corpus as a classroom hears it: children talking behind the speaker, noise, a clipped
// microphone, raised and slowed voices. Each condition is made from the clean utterances with
// sox and our own mixing, and cached beside them under a key of everything that makes it.
#include "bench/speech/speech_corpus.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace qvspeech {

struct Condition {
    enum class Room { Quiet, Babble, Pink };
    QString id;
    QStringList soxEffects; // applied to the clean speech first, e.g. {"pitch", "400"}
    Room room = Room::Quiet;
    double snrDb = 0;        // speech level over the room's
    double clipPeak = 0;     // > 0: amplified until the peak is this many times full scale, clipped
    bool continuous = false; // the room never stops: no silence between utterances
    // Silence the WAV input plays after each file: none when the room goes on.
    int trailingSilenceMs() const { return continuous ? 0 : 800; }
    // The room heard before and after the speaker in each file: half a second around an
    // utterance when it stops with the speaker, a second before and two after when it never does.
    int roomBeforeMs() const { return continuous ? 1000 : 500; }
    int roomAfterMs() const { return continuous ? 2000 : 500; }
};

// clean, babble behind (stops with the speaker), babble that never stops, pink noise at 20 and
// 10 dB, a loud clipped microphone, child-like (raised) voices, slow and fast speech.
std::vector<Condition> roomConditions();

// The utterances of clean under the condition (made once, then found in the cache); false with
// a message when a tool fails.
bool underCondition(const Condition& condition, const std::vector<Utterance>& clean,
                    std::vector<Utterance>* out, QString* error);

// 16 kHz 16-bit mono WAV files.
bool writeWav16kMono(const QString& file, const std::vector<qint16>& samples);

} // namespace qvspeech
