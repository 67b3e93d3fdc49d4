// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every threshold, limit and weight of the spoken commands, in one place: the endpointer, the
// speaker's span, the declipper, the judge, the recognizer's options and its live loop. Each
// says what it trades; the recognition test and the room benchmarks measure a change.
// Levels are in dB, blocks are 20 ms, frames 10 ms, scores log per frame.
#include <array>
#include <cstddef>

namespace qv::tuning {

// --- Where utterances begin and end (EndpointSettings) ---

// Blocks outside speech the floor is learnt from: more keeps the floor steady through a lull,
// fewer follows a room that changes sooner.
constexpr int floorBlocks = 50;
// Where among those blocks the floor lies: higher sits nearer the room's peaks (fewer starts on
// talk behind), lower hears quiet speakers over a busy room but starts on its peaks.
constexpr double floorPercentile = 0.3;
// The lowest floor: higher ignores more faint speech in a silent room, lower lets hiss start
// utterances.
constexpr double minFloorDb = 20;
// Over the floor to start: higher starts less on noise, misses more quiet or distant speakers.
constexpr double startDb = 12;
// Loud blocks in a row to start: more ignores clicks and knocks, starts later.
constexpr int startBlocks = 3;
// Over the floor a block must stay under to count towards the end: higher ends sooner in noise,
// lower keeps quiet word ends (a closure, a hiss) in the utterance.
constexpr double endDb = 8;
// Where the room's louder blocks are taken from: higher counts more of a steady room's
// unevenness as room, lower ends utterances in an uneven room later.
constexpr double roomLoudPercentile = 0.9;
// Over the room's louder blocks a block may be and still count as quiet at once: higher ends
// sooner in steady noise, and more often inside a command.
constexpr double quietOverRoomDb = 3;
// Quiet blocks that end an utterance: more keeps pauses inside a command, and every command
// waits that much longer to be judged.
constexpr int endBlocks = 13;
// Under the utterance's loud blocks, a block in a room that was talking is no longer the
// speaker's but the talk going on after the speaker stopped, and endBlocks of them end the
// utterance even where the room falls silent between its talk: lower ends sooner after the
// speaker, and may end a slow command between its words; higher waits for louder talk to stop.
constexpr double speakerGoneDb = 18;
// Blocks after which an utterance is cut and judged anyway: more judges long speech whole,
// fewer learns a room that got louder for good sooner.
constexpr int maxBlocks = 150;

// --- The speaker's part of an utterance ---

// The percentile of an utterance's blocks taken as its loud ones: higher follows the loudest
// syllable, lower lets a long quiet utterance pass as loud.
constexpr double loudPercentile = 0.9;
// And as its quiet ones (the room under the speaker): higher reads more of the speech as room.
constexpr double quietPercentile = 0.1;
// Below the loud blocks a block is still the speaker's: more takes talk behind for the speaker,
// less leaves the speaker's own quieter syllables out.
constexpr double speakerBelowDb = 10;
// Blocks kept before the speaker's first loud one: more keeps quiet onsets, and lets more of
// the room's talk in before the words.
constexpr std::size_t speakerPadBlocks = 5;
// And after the last: more keeps the long quiet ends ("six", "eight"), and more of the room.
constexpr std::size_t speakerEndPadBlocks = 10;
// Sound before the speaker counts as the room within this of the loudest block: more decodes
// more utterances again on the speaker's part, less leaves talk before the speaker in.
constexpr double roomBelowDb = 35;
// Blocks of the room before the speaker that have the utterance decoded again on the speaker's
// part (0: never): fewer trims more often (time), more loses commands in talk.
constexpr std::size_t trimMinBlocks = 6;
// Speech over the room under which the room counts as heard and rivals are checked: higher
// checks more utterances (fewer wrong buttons in noise, more commands lost in quiet).
constexpr double rivalsBelowDb = 30;

// --- A too-loud input ---

// A sample this far from zero was cut off: lower redraws loud but whole peaks, higher misses
// inputs that clip a little under full scale.
constexpr int fullScale = 32000;
// The share of an utterance's samples at full scale that makes it clipped: higher redraws
// fewer utterances, and hears more clipped ones wrong.
constexpr double clippedShare = 0.005;
// The share of each neighbour's slope the redrawn peak follows: higher draws taller peaks that
// overshoot those of speech, lower leaves them nearly as flat as cut.
constexpr double declipSlopeShare = 0.5;

// --- The judge (JudgeLimits, as the recognizer uses them) ---

// Fewest frames per phone of a command's words: higher rejects more squeezed guesses and more
// commands of fast speakers.
constexpr double minFramesPerPhone = 4.0;
// How far a command's path may be behind another command's where the room is heard: higher
// starts fewer wrong buttons in noise, and rejects more commands there.
constexpr double minOtherCommandGap = -2;
// And behind the best path that is no command: higher rejects more talk in noise, and more
// commands there.
constexpr double minNoCommandGap = -2;
// Share of the speaker's loud blocks that may lie outside a command's words: higher keeps
// commands with a breath or click beside them, and takes more commands made of part of the
// speech ("button please").
constexpr double maxLoudOutsideWords = 0.25;
// The same where the room is heard with the speaker.
constexpr double maxLoudOutsideWordsInRoom = 0.2;
// Paths of the word graph looked at for the rivals (0: never): more finds rivals further
// behind, and costs time after each utterance.
constexpr int rivalPaths = 200;

// --- The decoder ---

// Words of the general language model in the loop beside the commands: more rejects more
// other speech, and costs memory, time and some commands.
constexpr int garbageWords = 1000;
// The cost of each loop word: higher makes other speech cheaper to reject and commands easier
// to lose to it.
constexpr double garbageWordWeight = 1e-28;
// Longest loop word in phones (0: any): more rejects more, and lets one long word stand for a
// whole command.
constexpr int garbageMaxPhones = 6;
// Loop words within this many phones of a command's word are left out: more lets commands win
// against words that sound like them, and takes such words for commands.
constexpr int garbageSoundAlike = 2;
// The running feature mean moved this far (root of squared differences) has the utterance
// decoded again (0: never): higher decodes again less often, and mishears more first commands
// after the voice or the level changed.
constexpr double redecodeMeanShift = 15.0;
// Frames of silence that end the library's speech (its -vad_postspeech): more keeps pauses
// inside a command, and each command waits longer.
constexpr int vadPostSpeechFrames = 25;
// Gaussians scored per frame (-topn): more scores more exactly, and decodes more slowly.
constexpr int topGaussians = 16;
// Bonus for each phone (-pip): higher keeps short number words from being swallowed by
// "button", and inserts more words of its own.
constexpr int phoneInsertionBonus = 4;

// --- The live loop ---

// Audio kept before the library hears speech: more keeps a word's onset, and decodes more of
// the room.
constexpr int preRollMs = 500;
// Audio kept before the speaker when the utterance begins anew: more keeps the speaker's
// onset, and more of the talk before it.
constexpr int restartPreRollMs = 300;
// Blocks the library must have been in speech before our start has the utterance begin anew:
// more restarts less often (talk and command judged together), fewer restarts on the library's
// own start.
constexpr int roomSpeechBlocks = 15;
// Longest utterance decoded: more holds more of talk that never stops, costing memory and time.
constexpr int maxUtteranceMs = 10000;
// Blocks an utterance under way is still heard after the talk key is let go: more keeps the
// end of a word said while letting go, and hears more after it.
constexpr int releaseTailBlocks = 15;

// --- Enrolment of a pupil's voice ---

// Utterances kept while enrolling: more allows a longer enrolment, and more memory in a room
// that talks while the window is left enrolling.
constexpr std::size_t maxKeptUtterances = 40;
// The warps a voice is tried with, no warp first: a higher top helps younger voices, and each
// step more makes the choice take longer. None below 1: deep voices are within the models.
constexpr std::array<double, 6> voiceWarpSteps{1.0, 1.1, 1.2, 1.3, 1.4, 1.5};
// Utterances a warp must hear right beyond no warp to be chosen: more keeps no warp unless the
// gain is clear, fewer warps voices that a warp does not help.
constexpr int minWarpGain = 1;

} // namespace qv::tuning
