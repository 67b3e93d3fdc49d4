// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Enrolment: a pupil says the ten commands once, and the frequency warp that hears them best is
// kept for that pupil's voice. Children's voices have higher formants than the adults the models
// were trained on; drawn down by the right warp they are heard as well, while the same warp
// would spoil an adult's voice, so it is chosen per pupil.
#include "platform/speech_adapt.h"
#include "platform/speech_grammar.h"
#include "platform/speech_pocketsphinx.h"

#include <QString>
#include <atomic>
#include <vector>

namespace qv {

class Decoder;

struct EnrolmentUtterance {
    QString said; // the command the pupil was asked to say, as the grammar spells it
    std::vector<qint16> audio;
};

// The warps a voice is tried with, no warp first, then steps up to where a young child's voice
// is heard. None below 1: deep voices are within what the models were trained on, and in a
// noisy room a lower warp was chosen by chance and heard worse.
const std::vector<double>& voiceWarps();

// What one warp made of an enrolment.
struct WarpTrial {
    double warp = 1.0;
    std::vector<bool> right; // per utterance: heard as said
    double score = 0;        // the best paths' scores per frame, over all utterances
    int heardRight() const;
};

// The warp chooseVoiceWarp() takes from the trials, no warp first, and how many utterances were
// heard right without a warp and with the one chosen.
struct VoiceChoice {
    double warp = 1.0;
    int rightBefore = 0;
    int rightAfter = 0;
};
VoiceChoice pickVoice(const std::vector<WarpTrial>& trials);

// For each warp of voiceWarps(), what a decoder of these options with the grammar hears in the
// utterances, each decoded on its own; false with an error when a decoder cannot be built, or
// when cancel was set. One decoder at a time is built beside the one that listens.
bool tryVoiceWarps(const SpeechModel& model, const RecognizerOptions& options,
                   const CommandGrammar& grammar, const std::vector<EnrolmentUtterance>& utterances,
                   std::vector<WarpTrial>* trials, SpeechError* error,
                   const std::atomic<bool>* cancel = nullptr);

// An enrolment utterance's feature frames, and the codebook of the phone each frame belongs to
// when the utterance is aligned to what the pupil was asked to say (-1: the silence around it).
// The frames' cepstra are taken against the mean of all the voice's utterances (voiceMean), as
// the launcher's running mean takes them, not against the utterance's own mean.
struct AlignedUtterance {
    std::vector<float> frames;
    std::vector<float> mean; // the utterance's own mean of the cepstra
    std::vector<int> codebooks;
};

// The utterances aligned, heard through a decoder of these options (the warp included); false
// with an error when no decoder can be built. An utterance too short for its phones keeps no
// frames.
bool alignEnrolment(const SpeechModel& model, const RecognizerOptions& options,
                    const CommandGrammar& grammar, const Codebooks& codebooks,
                    const std::vector<EnrolmentUtterance>& utterances,
                    std::vector<AlignedUtterance>* aligned, SpeechError* error);

// The mean of the cepstra over the aligned utterances, each counted by its frames.
std::vector<float> voiceMean(const std::vector<AlignedUtterance>& aligned, int width);

// How far a voice's transform is drawn toward no change, in frames (the ten commands hold
// about 600 of speech): less gains more commands of that voice, and rejects the speech of
// other voices less well.
constexpr double voiceTransformPrior = 100;

// The transform that fits the aligned utterances best, leaving out those marked in leftOut.
MeanTransform voiceTransform(const Codebooks& codebooks,
                             const std::vector<AlignedUtterance>& aligned, double prior,
                             const std::vector<bool>& leftOut = {});

// Of the utterances not left out, how many the decoder (of the commands alone) hears right,
// each with the transform found on the others but not on itself.
int heardWithOthersTransform(Decoder* decoder, const Codebooks& codebooks,
                             const std::vector<AlignedUtterance>& aligned,
                             const std::vector<EnrolmentUtterance>& utterances, double prior,
                             std::vector<bool> leftOut = {});

// The transform of a voice whose warp is chosen, from all its utterances heard with that warp,
// when it helps: of the utterances, each heard with the transform found on the others, more are
// heard right (rightAfter) than with the warp alone (rightBefore); else none (empty). False with
// an error when no decoder can be built, or when cancel was set.
bool adaptVoice(const SpeechModel& model, const RecognizerOptions& options,
                const CommandGrammar& grammar, const std::vector<EnrolmentUtterance>& utterances,
                int rightBefore, QByteArray* transform, int* rightAfter, SpeechError* error,
                const std::atomic<bool>* cancel = nullptr);

} // namespace qv
