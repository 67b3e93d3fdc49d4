// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The recognizer's audio (16 kHz, 16-bit, mono) in blocks of 20 ms, and how loud they are: the
// measure the endpointer, the speaker's span and the judge share.
#include <QtGlobal>

#include <cstddef>
#include <vector>

namespace qv {

// The one audio format of the recognizer: 16 kHz, 16-bit, mono.
constexpr int speechSampleRate = 16000;
// Samples handed to the decoder at a time while listening (20 ms).
constexpr std::size_t liveBlock = 320;
// Samples of one frame of the decoder (10 ms).
constexpr std::size_t frameSamples = 160;

// The energy of a block in dB over one unit squared (0 for silence).
double blockDb(const qint16* samples, std::size_t count);

// The energies of the audio's blocks of liveBlock samples, the last one maybe shorter.
std::vector<double> blockEnergies(const std::vector<qint16>& audio);

// The value below which that share of the values lie (0 for none).
double percentile(std::vector<double> values, double share);

} // namespace qv
