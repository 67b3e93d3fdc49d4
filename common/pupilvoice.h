// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A pupil's voice as enrolment found it: the frequency warp that hears the pupil best, for the
// recognizer it was found with. It belongs to the pupil, not to the machine or the room, so it
// lives in the pupil's own data folder.
#include <QString>

namespace qv {

// voice.conf in the user's quorvel data folder ($XDG_DATA_HOME/quorvel).
QString pupilVoicePath();

// Warps outside this range are no voice a person has: a damaged or foreign value.
constexpr double lowestVoiceWarp = 0.8;
constexpr double highestVoiceWarp = 1.5;

// The stored warp for that recognizer; 1 (none) when the file is missing, cannot be read, is no
// small regular file, was made with another recognizer, or holds no warp in range.
double readVoiceWarp(const QString& path, const QString& recognizer);
// Stores the warp found with that recognizer (1: forgets the voice); false when it could not be
// written.
bool writeVoiceWarp(const QString& path, const QString& recognizer, double warp);

} // namespace qv
