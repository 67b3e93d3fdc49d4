// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The PocketSphinx decoder of one recognizer, with the command grammar and the loop of likely
// words beside it that soaks up speech that is no command. Used by the recognition context on
// its decoding thread only.
#include "platform/recognizer/pocketsphinx.h"
#include "speech/grammar.h"
#include "speech/judge.h"
#include "speech/span.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <pocketsphinx.h>

#include <vector>

namespace qv {

// The name of the command grammar's search.
extern const char* const grammarSearch;

// How far apart two feature means are: the root of the squared differences.
double meanDistance(const std::vector<mfcc_t>& a, const std::vector<mfcc_t>& b);

class Decoder {
public:
    Decoder() = default;
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;
    ~Decoder();

    bool build(const SpeechModel& model, const RecognizerOptions& options, SpeechError* error);
    bool setGrammar(const CommandGrammar& grammar, SpeechError* error);

    ps_decoder_t* handle() const { return ps_; }
    const RecognizerOptions& options() const { return options_; }

    // Decodes the audio again with the grammar, block by block as it was heard live and
    // against the running mean as it is now; the mean's state is then put back so that the
    // utterance counts once in it. The hypothesis, and its score in score.
    QString decodeAgainLive(const std::vector<qint16>& audio, int* score);

    // As decodeAgainLive, from features made without the dither: the dither's random numbers
    // are shared by the whole process, and an extra look at one utterance that drew on them
    // would change how every later utterance is heard.
    QString decodeAgainUndithered(const std::vector<qint16>& audio, int* score);

    // Decodes an utterance on its own, against its own feature mean, as nothing else was heard.
    // The hypothesis, its score in score and the utterance's frames in frames.
    QString decodeWhole(const std::vector<qint16>& audio, int* score = nullptr,
                        int* frames = nullptr);

    // The running mean the features are judged against.
    std::vector<mfcc_t> featureMean() const;
    // Sets the running mean, as if the decoder had heard a voice of that mean before.
    void setFeatureMean(const std::vector<mfcc_t>& mean);

    // Of the words of the last hypothesis (silences and noises left out), the fewest frames
    // per phone of the pronunciation that was heard; 0 when there are none.
    double shortestFramesPerPhone() const;
    // The frames of the last hypothesis' words (silences and noises left out) in the audio it
    // was heard in, of audioFrames frames.
    std::vector<WordFrames> wordFrames(int audioFrames) const;

    // How far the last hypothesis (heard's) was ahead of its rivals in the word graph: the
    // gaps of heard. Only the graph's best maxPaths paths are looked at.
    void measureRivals(Heard* heard, const QHash<QString, QString>& commands, int maxPaths) const;

    // The phones of a word; empty when the dictionary lacks it.
    QStringList pronunciation(const QString& word) const;

private:
    QStringList garbageFor(const QStringList& commandWords) const;

    ps_decoder_t* ps_ = nullptr;
    fe_t* undithered_ = nullptr; // the decoder's front end, without the dither
    RecognizerOptions options_;
    QStringList garbageWords_;
};

} // namespace qv
