// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The PocketSphinx speech service: its recognizers are the installed acoustic models with their
// dictionaries; its audio comes from PulseAudio or, for tests, from WAV files.
//
// Test hook: when the environment variable QV_SPEECH_WAV names WAV files (16 kHz, 16-bit, mono,
// separated by ':'), the service's only audio input plays them once, each followed by silence,
// instead of the capture device. Tests and benchmarks rather pass a WavFileInput through
// SpeechServiceOptions::audioInput.
#include "platform/recognizer/models.h"
#include "speech/endpointer.h"
#include "speech/judge.h"
#include "speech/levels.h"
#include "speech/service.h"
#include "speech/tuning.h"

#include <QString>
#include <QStringList>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace qv {

// Audio at 16 kHz, 16-bit, mono, pulled by the decoding thread.
class AudioInput {
public:
    virtual ~AudioInput() = default;
    virtual QString name() const = 0;
    // Opens the device; called on the user-interface thread when listening starts.
    virtual bool open(SpeechError* error) = 0;
    // Blocks for up to max samples: the count read, 0 at the end of the stream, -1 on failure.
    virtual int read(qint16* samples, int max) = 0;
    // Makes a blocked read return soon; called before the decoding thread is joined.
    virtual void interrupt() {}
    virtual void close() = 0;
};

// The default PulseAudio source.
std::unique_ptr<AudioInput> createPulseAudioInput();

// Plays queued WAV files (16 kHz, 16-bit, mono), each followed by silence so that its utterance
// ends, as fast as the decoder takes them or in real time.
class WavFileInput final : public AudioInput {
public:
    QString name() const override { return QStringLiteral("WAV file input"); }
    bool open(SpeechError* error) override;
    int read(qint16* samples, int max) override;
    void interrupt() override;
    void close() override;

    // Reads the file now; false (and error) when it is not a 16 kHz 16-bit mono WAV file.
    bool enqueue(const QString& file, QString* error = nullptr);
    // Silence played after each file.
    int trailingSilenceMs = 800;
    // Deliver samples at the pace of a real microphone.
    bool realTime = false;
    // When the queue is empty: end the stream (true) or wait for more files (false).
    bool endWhenEmpty = false;
    // Called on the decoding thread right after the last sample of a file was delivered.
    std::function<void(const QString& file)> onFileDelivered;
    // Called on the decoding thread before a block of a file, or of the silence after it, is
    // returned: where its first sample lies, counted from the file's start, and the file's
    // length in samples.
    std::function<void(size_t position, size_t fileSamples)> onBlock;
    // True while a read waits on an empty queue: everything queued has been decoded.
    bool drained() const { return waiting_; }

private:
    struct Clip {
        QString file;
        std::vector<qint16> samples;
    };
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Clip> queue_;
    bool interrupted_ = false;
    std::atomic<bool> waiting_{false};
    size_t position_ = 0;
    size_t fromFileStart_ = 0;
    size_t fileSamples_ = 0;
    size_t silenceLeft_ = 0;
    bool inSilence_ = false;
    qint64 delivered_ = 0;
    qint64 startNs_ = 0;
};

// Plays the WAV files once, in real time, each followed by silence, then ends the stream.
std::unique_ptr<AudioInput> createWavFilesInput(const QStringList& files);

// Reads a WAV file's samples; false unless it is 16 kHz, 16-bit PCM, mono.
bool readWav16kMono(const QString& file, std::vector<qint16>* samples, QString* error);

// How out-of-grammar speech is told apart from the commands; the defaults are those of
// speech/tuning.h, where each says what it trades.
struct RecognizerOptions {
    // Pronunciations added to the dictionary: "word(2)" and its phones. "button" as it is
    // said in the north of England and with its second vowel swallowed; "eight", "nine" and
    // "five" with the shifted diphthongs of the Midlands and London ("ite", "noin", "foiv");
    // "four" without its "r", as nearly all of England says it.
    QList<QPair<QString, QString>> pronunciations{
        {QStringLiteral("button(2)"), QStringLiteral("B AH T N")},
        {QStringLiteral("button(3)"), QStringLiteral("B UH T AH N")},
        {QStringLiteral("button(4)"), QStringLiteral("B UH T N")},
        {QStringLiteral("eight(2)"), QStringLiteral("AH IY T")},
        {QStringLiteral("nine(2)"), QStringLiteral("N OY N")},
        {QStringLiteral("five(2)"), QStringLiteral("F OY V")},
        {QStringLiteral("four(2)"), QStringLiteral("F AO")}};
    // A loop of the most likely words of the general language model beside the commands:
    // speech that is none of the commands is heard as those words and rejected. Each of its
    // words costs the weight, so that a command wins where it fits. Left out of it: words of
    // more than garbageMaxPhones phones (0: none) and words within garbageSoundAlike phones of
    // a command's word; the commands' own words are in it when garbageWithCommandWords.
    int garbageWords = tuning::garbageWords;
    double garbageWordWeight = tuning::garbageWordWeight;
    qsizetype garbageMaxPhones = tuning::garbageMaxPhones;
    int garbageSoundAlike = tuning::garbageSoundAlike;
    bool garbageWithCommandWords = true;
    // What a command must show to be taken.
    // minFramesPerPhone: a command whose words were said faster than this many 10 ms frames per
    // phone is rejected: "button" alone gets a number squeezed into its last frames, a lone
    // "seven" a "button" of a tenth of a second. Four is a little above what the models' three
    // states per phone allow at the least.
    // minOtherCommandGap, minNoCommandGap: where the room is heard with the speaker (talk or
    // noise before the words, or under them: the utterance's speech less than rivalsBelowDb over
    // its quiet blocks), the search often settles on a command that the word graph of the same
    // utterance puts well behind another command or the loop of likely words: a guess. There a
    // command is taken only when its own best path, among the graph's best rivalPaths paths, is
    // at most -minOtherCommandGap behind the best that is another command and at most
    // -minNoCommandGap behind the best that is no command (log score per 10 ms frame). Over
    // silence the check loses more commands than it saves. rivalPaths 0: never.
    // maxLoudOutsideWords: a command is three or four syllables; where more than this share of
    // the speaker's loud blocks lies outside its words, a syllable was said that the command
    // does not have ("button please", a clipped "is it lunch time yet" heard as "button five",
    // "button seven" heard as "button six"). maxLoudOutsideWordsInRoom: the same where the room
    // is heard with the speaker, lower: in noise, a command made of part of the speech is more
    // often another command or no command at all.
    JudgeLimits judge{tuning::minFramesPerPhone, tuning::minOtherCommandGap,
                      tuning::minNoCommandGap, tuning::maxLoudOutsideWords,
                      tuning::maxLoudOutsideWordsInRoom};
    double rivalsBelowDb = tuning::rivalsBelowDb;
    int rivalPaths = tuning::rivalPaths;
    // The features are judged against a running mean of the speech heard so far, which starts
    // at the model's stored mean: the first command after listening starts, or after the input
    // level changed, can be judged against a mean far from this microphone's. An utterance
    // that moved the mean further than this (the root of the squared differences) is decoded
    // again against the moved mean. 0: never.
    double redecodeMeanShift = tuning::redecodeMeanShift;
    // The frequency warp of the pupil's voice (inverse linear): above 1 the higher formants of a
    // child are drawn down to where the adult voices of the models have them. 1: none.
    double voiceWarp = 1.0;
    // Where utterances begin and end.
    EndpointSettings endpoint;
    // An utterance with talk or noise before the speaker (trimMinBlocks blocks of it, within
    // roomBelowDb of the loudest block) is decoded again on the speaker's part only: the blocks
    // from the first to the last within speakerBelowDb of the loud ones, speakerPadBlocks before
    // them and speakerEndPadBlocks after (a word fades out more slowly than it starts: the closure
    // and hiss that end "six", "eight" and "five" are quiet and long, and cut after a tenth of a
    // second "six" is heard as "three"). The loop of likely words would else take the room for
    // words and the command inside them for none.
    // trimMinBlocks 0: never.
    double speakerBelowDb = tuning::speakerBelowDb;
    size_t speakerPadBlocks = tuning::speakerPadBlocks;
    size_t speakerEndPadBlocks = tuning::speakerEndPadBlocks;
    double roomBelowDb = tuning::roomBelowDb;
    size_t trimMinBlocks = tuning::trimMinBlocks;
    // The padding lets a little of the room's talk in before the speaker, which the loop of
    // likely words may take for a word of its own, and then the whole for no command: "club
    // button three". Such a part is decoded once more from the speaker's first loud block.
    bool leadInDecodedAgain = true;
    // An utterance with at least this share of its samples at full scale was clipped.
    double clippedShare = tuning::clippedShare;
    // Extra decoder arguments: when the library's speech ends, the dither, how many Gaussians
    // are scored and the bonus for each phone. Dither: a muted or gated input delivers exact
    // zeros, whose log energy throws the feature means off for the words that follow; a fixed
    // seed keeps results repeatable.
    QStringList decoderArguments{QStringLiteral("-vad_postspeech"),
                                 QString::number(tuning::vadPostSpeechFrames),
                                 QStringLiteral("-dither"),
                                 QStringLiteral("yes"),
                                 QStringLiteral("-seed"),
                                 QStringLiteral("1"),
                                 QStringLiteral("-topn"),
                                 QString::number(tuning::topGaussians),
                                 QStringLiteral("-pip"),
                                 QString::number(tuning::phoneInsertionBonus)};
};

// What the decoder made of one utterance (for measurements).
struct UtteranceReport {
    Heard heard; // the words of the grammar search and their evidence
    int frames = 0;
    int grammarScore = 0;
    double meanShift = 0;        // how far the utterance moved the running feature mean
    bool decodedAgain = false;   // against the moved mean, or on the speaker's part
    bool trimmed = false;        // on the speaker's part only
    bool leadIn = false;         // heard as other words and a command, decoded from the speaker
    bool clipped = false;        // its peaks were cut off: the input is too loud
    double speechOverRoomDb = 0; // its loud blocks over its quiet ones
    bool accepted = false;
    double decodeSeconds = 0; // time spent after the end of speech
    double audioSeconds = 0;
};

struct SpeechServiceOptions {
    QString modelRoot = defaultSpeechModelRoot();
    // Builds the audio input of a context; none: QV_SPEECH_WAV or the PulseAudio default.
    std::function<std::unique_ptr<AudioInput>()> audioInput;
    QString audioInputName = QStringLiteral("WAV file input"); // listed for audioInput
    RecognizerOptions recognizer;
    // Called on the decoding thread after each utterance.
    std::function<void(const UtteranceReport&)> report;
};

std::unique_ptr<SpeechService> createPocketSphinxService(const SpeechServiceOptions& options);

} // namespace qv
