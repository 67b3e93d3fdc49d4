// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/recognizer/pocketsphinx.h"

#include "platform/recognizer/decoder.h"
#include "platform/recognizer/enrol.h"
#include "platform/recognizer/grammarfile.h"
#include "speech/declip.h"
#include "speech/judge.h"
#include "speech/span.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHash>
#include <QMetaObject>
#include <QPointer>

#include <algorithm>
#include <thread>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace qv {

namespace {

// ---------------------------------------------------------------------------------------------
// The recognition context

class PocketSphinxContext final : public RecognitionContext {
public:
    PocketSphinxContext(SpeechModel model, std::unique_ptr<Decoder> decoder,
                        std::unique_ptr<AudioInput> input,
                        std::function<void(const UtteranceReport&)> report)
        : model_(std::move(model)), decoder_(std::move(decoder)), input_(std::move(input)),
          report_(std::move(report)) {}

    ~PocketSphinxContext() override {
        stopListening();
        stopChoosing();
    }

    bool loadGrammar(const QString& file, SpeechError* error) override {
        CommandGrammar grammar;
        QString message;
        if (!readCommandGrammarFile(file, &grammar, &message)) {
            if (error) {
                *error = {SpeechGrammarFile, message};
            }
            return false;
        }
        const bool wasListening = listening_;
        stopListening();
        stopChoosing(); // it hears with the grammar being replaced
        if (!decoder_->setGrammar(grammar, error)) {
            grammarLoaded_ = false;
            return false;
        }
        // The texts the grammar gives, by their lower-case words: the decoder hears lower case.
        spelling_.clear();
        for (const QString& phrase : commandGrammarPhrases(grammar)) {
            spelling_.insert(phrase.toLower(), phrase);
        }
        grammar_ = grammar;
        grammarLoaded_ = true;
        // A newly loaded grammar starts with its rules inactive.
        Q_UNUSED(wasListening);
        return true;
    }

    bool setRulesActive(bool active, SpeechError* error) override {
        if (!active) {
            resumeAfterChoice_ = false;
            stopListening();
            return true;
        }
        if (!grammarLoaded_) {
            if (error) {
                *error = {SpeechNoGrammar, QStringLiteral("No grammar is loaded")};
            }
            return false;
        }
        if (chooser_.joinable()) {
            resumeAfterChoice_ = true; // once the voice is chosen
            return true;
        }
        if (listening_) {
            return true;
        }
        if (!input_->open(error)) {
            return false;
        }
        stop_ = false;
        listening_ = true;
        worker_ = std::thread([this] { run(); });
        return true;
    }

    void setSuspended(bool suspended) override { suspended_ = suspended; }

    void setGated(bool gated) override {
        if (gated && !gated_) {
            // Before the gate itself: a thread that sees the gate closed sees the end too.
            pressEnded_ = true;
        }
        gated_ = gated;
    }

    void setEnrolling(bool on) override {
        std::lock_guard lock(keptMutex_);
        if (on && !enrolling_) {
            kept_.clear();
        }
        enrolling_ = on;
    }

    void chooseVoice(const QStringList& said) override {
        const bool wasListening = listening_ || (chooser_.joinable() && resumeAfterChoice_);
        stopChoosing();
        std::vector<EnrolmentUtterance> utterances;
        {
            std::lock_guard lock(keptMutex_);
            for (qsizetype i = 0; i < said.size() && size_t(i) < kept_.size(); ++i) {
                if (!said[i].isEmpty()) {
                    utterances.push_back({said[i], kept_[size_t(i)]});
                }
            }
        }
        // The library keeps some state for the whole process (its log file, the dither's random
        // numbers), which building a decoder changes: listening pauses until the voice is chosen.
        resumeAfterChoice_ = wasListening;
        stopListening();
        cancelChoice_ = false;
        const int run = ++choiceRun_;
        // Several decoders are built and every utterance heard with each: seconds, away from
        // the window.
        chooser_ = std::thread([this, run, utterances = std::move(utterances)] {
            // The commands alone: what was said is known, and without the loop of likely words
            // each decoder is built and heard with in a fraction of the time.
            RecognizerOptions commandsAlone = decoder_->options();
            commandsAlone.garbageWords = 0;
            std::vector<WarpTrial> trials;
            SpeechError error;
            const bool tried = tryVoiceWarps(model_, commandsAlone, grammar_, utterances, &trials,
                                             &error, &cancelChoice_);
            const VoiceChoice choice = tried ? pickVoice(trials) : VoiceChoice{0.0, 0, 0};
            const int commands = int(utterances.size());
            QPointer<PocketSphinxContext> self(this);
            QMetaObject::invokeMethod(
                this,
                [self, run, choice, commands] {
                    if (self && run == self->choiceRun_) {
                        self->choiceMade();
                        emit self->VoiceChosen(choice.warp, choice.rightBefore, choice.rightAfter,
                                               commands);
                    }
                },
                Qt::QueuedConnection);
        });
    }

private:
    // A choice stopped on the way reports nothing, and listening stays as it is now.
    void stopChoosing() {
        if (chooser_.joinable()) {
            cancelChoice_ = true;
            chooser_.join();
            ++choiceRun_;
            resumeAfterChoice_ = false;
        }
    }

    void choiceMade() {
        chooser_.join(); // its last step was to hand the result over
#if defined(__GLIBC__)
        // The decoders tried were built on that thread, and its heap would keep their memory.
        malloc_trim(0);
#endif
        if (resumeAfterChoice_) {
            resumeAfterChoice_ = false;
            SpeechError error;
            if (!setRulesActive(true, &error)) {
                qWarning("Listening could not resume after the voice was chosen: %s",
                         qPrintable(error.description));
            }
        }
    }

    void stopListening() {
        if (!listening_) {
            return;
        }
        stop_ = true;
        input_->interrupt();
        worker_.join();
        input_->close();
        listening_ = false;
    }

    // The decoding thread: the grammar search runs live and its voice activity detection
    // cuts the audio into utterances in a quiet room. Where talk or noise behind the speaker
    // never stops, that detection never ends; our endpointer, which measures against the
    // room's own level, then ends the utterance, and a start of ours while the library has
    // been in speech for a while begins the utterance anew a little before it.
    void run() {
        ps_decoder_t* ps = decoder_->handle();
        std::vector<qint16> chunk(liveBlock);
        std::vector<qint16> utterance;
        const auto samplesOf = [](int ms) { return size_t(speechSampleRate) * size_t(ms) / 1000; };
        const size_t preRoll = samplesOf(tuning::preRollMs);
        const size_t restartPreRoll = samplesOf(tuning::restartPreRollMs);
        const size_t maxUtterance = samplesOf(tuning::maxUtteranceMs);
        const EndpointSettings& endpoint = decoder_->options().endpoint;
        Endpointer endpointer(endpoint);
        bool inUtterance = false;
        int librarySpeechBlocks = 0;
        // Begun anew, the library's utterance is not in speech until its detection has heard
        // the speaker again; ended on that, the speaker's first 0.3 s would be judged alone and
        // the rest of the command without them.
        bool restarted = false;
        // Push to talk: a press runs from an opening of the gate to its close. A close without
        // an opening (push to talk switched on) ends nothing. Pupils let go of the key while
        // the last word still sounds; cut there, its end is lost and it is heard as another
        // command. So an utterance going on at the release is heard for a little longer, until
        // it ends or the tail is over; no utterance starts after the release.
        bool wasGated = gated_;
        bool pressOpen = false;
        bool judgedInPress = false;
        int tail = 0;
        // The utterance so far was judged or dropped: the next one starts empty.
        const auto startNext = [&] {
            ps_start_utt(ps);
            utterance.clear();
            inUtterance = false;
            librarySpeechBlocks = 0;
            restarted = false;
        };
        // What is heard now is not judged: an utterance under way is dropped, half-heard words
        // too.
        const auto dropHeard = [&] {
            if (inUtterance || !utterance.empty()) {
                ps_end_utt(ps);
                startNext();
            }
            librarySpeechBlocks = 0;
        };
        // The release (or the tail after it) is the end of the utterance: no waiting for
        // silence the room may never make.
        const auto endPress = [&] {
            if ((inUtterance || !judgedInPress) && !suspended_) {
                finishUtterance(utterance);
            } else {
                ps_end_utt(ps);
            }
            startNext();
            endpointer.reset();
            endpointer.stopHolding();
        };
        ps_set_search(ps, grammarSearch);
        ps_start_utt(ps);
        while (!stop_) {
            const int count = input_->read(chunk.data(), int(chunk.size()));
            if (count <= 0) {
                break;
            }
            const bool gated = gated_;
            if (pressEnded_.exchange(false) && pressOpen) {
                pressOpen = false;
                if (inUtterance && !suspended_) {
                    tail = tuning::releaseTailBlocks;
                } else {
                    endPress();
                }
            }
            if (!gated && wasGated) {
                pressOpen = true;
                judgedInPress = false;
                tail = 0;
            }
            wasGated = gated;
            if (suspended_ || (gated && tail == 0)) {
                // While the character speaks, or while no talk key is held.
                dropHeard();
                endpointer.reset();
                tail = 0;
                continue;
            }
            const Endpointer::Event event = endpointer.push(chunk.data(), size_t(count));
            if (event == Endpointer::Event::None && endpointer.holdingRoom()) {
                // The talk after a speaker who left is the room's.
                dropHeard();
                continue;
            }
            utterance.insert(utterance.end(), chunk.begin(), chunk.begin() + count);
            if (event == Endpointer::Event::Start &&
                librarySpeechBlocks > tuning::roomSpeechBlocks) {
                if (utterance.size() > restartPreRoll) {
                    utterance.erase(utterance.begin(),
                                    utterance.begin() +
                                        std::ptrdiff_t(utterance.size() - restartPreRoll));
                }
                ps_end_utt(ps);
                ps_start_utt(ps);
                ps_process_raw(ps, utterance.data(), utterance.size(), FALSE, FALSE);
                restarted = true;
            } else {
                ps_process_raw(ps, chunk.data(), size_t(count), FALSE, FALSE);
            }
            const bool speech = ps_get_in_speech(ps);
            restarted = restarted && !speech;
            librarySpeechBlocks = speech ? librarySpeechBlocks + 1 : 0;
            if (speech) {
                inUtterance = true;
            } else if (!inUtterance && utterance.size() > preRoll) {
                utterance.erase(utterance.begin(),
                                utterance.begin() + std::ptrdiff_t(utterance.size() - preRoll));
            }
            // In a silent room the library's own end is as good and no later; ours is for
            // rooms where something always sounds, and for talk going on after the speaker,
            // which the library hears as speech until it stops.
            const bool roomSounds = endpointer.floorDb() > endpoint.minFloorDb + endpoint.endDb;
            const bool oursEnded = event == Endpointer::Event::Cut ||
                                   event == Endpointer::Event::Left ||
                                   (event == Endpointer::Event::End && roomSounds);
            const bool libraryEnded = !speech && !restarted;
            if (inUtterance && (libraryEnded || oursEnded || utterance.size() > maxUtterance)) {
                finishUtterance(utterance);
                judgedInPress = true;
                startNext();
                tail = 0;
            } else if (tail > 0 && --tail == 0) {
                endPress();
            }
        }
        if (inUtterance && !stop_) {
            finishUtterance(utterance);
        } else {
            ps_end_utt(ps);
        }
    }

    void finishUtterance(const std::vector<qint16>& audio) {
        QElapsedTimer timer;
        timer.start();
        ps_decoder_t* ps = decoder_->handle();
        const std::vector<mfcc_t> meanBefore = decoder_->featureMean();
        ps_end_utt(ps);
        const RecognizerOptions& options = decoder_->options();
        UtteranceReport report;
        report.audioSeconds = double(audio.size()) / speechSampleRate;
        int32 score = 0;
        const char* hypothesis = ps_get_hyp(ps, &score);
        report.heard.hypothesis = hypothesis ? QString::fromUtf8(hypothesis) : QString();
        report.meanShift = meanDistance(meanBefore, decoder_->featureMean());
        const std::vector<double> blockDb = blockEnergies(audio);
        const BlockSpan span = speakerSpan(blockDb, options.speakerBelowDb,
                                           options.speakerPadBlocks, options.speakerEndPadBlocks);
        report.speechOverRoomDb = speechOverRoomDb(blockDb);
        // Only sound before the speaker counts: the silence before a word in a quiet room is
        // no reason to decode it again, nor the slow fading of a word's end.
        const double loudest =
            blockDb.empty() ? 0.0 : *std::max_element(blockDb.begin(), blockDb.end());
        size_t before = 0;
        for (size_t i = 0; i < span.first; ++i) {
            before += blockDb[i] > loudest - options.roomBelowDb ? 1 : 0;
        }
        report.trimmed = options.trimMinBlocks > 0 && before >= options.trimMinBlocks;
        const auto atFullScale = std::count_if(
            audio.begin(), audio.end(), [](qint16 s) { return std::abs(s) >= tuning::fullScale; });
        report.clipped =
            !audio.empty() && double(atFullScale) >= options.clippedShare * double(audio.size());
        // The audio of the hypothesis that is judged: a part of the utterance, or all of it.
        std::vector<qint16> decoded;
        const std::vector<qint16>* judged = &audio;
        if (report.trimmed || report.clipped) {
            if (report.trimmed) {
                decoded.assign(audio.begin() + std::ptrdiff_t(span.first * liveBlock),
                               audio.begin() + std::ptrdiff_t(std::min(
                                                   audio.size(), (span.last + 1) * liveBlock)));
            } else {
                decoded = audio;
            }
            // The live pass mishears most clipped commands ("button eight" above all); the
            // whole utterance decoded again, with its flat peaks drawn round, is mostly right.
            if (report.clipped) {
                decoded = declipped(decoded, tuning::fullScale);
            }
            judged = &decoded;
            report.heard.hypothesis = decoder_->decodeAgainLive(decoded, &score);
            report.decodedAgain = true;
            report.leadIn = report.trimmed && options.leadInDecodedAgain &&
                            commandAfterOtherWords(report.heard.hypothesis, spelling_);
            if (report.leadIn) {
                const size_t onset = speakerSpan(blockDb, options.speakerBelowDb, 0, 0).first;
                const auto from =
                    std::ptrdiff_t(std::min(decoded.size(), (onset - span.first) * liveBlock));
                decoded.erase(decoded.begin(), decoded.begin() + from);
                report.heard.hypothesis = decoder_->decodeAgainUndithered(decoded, &score);
            }
        } else if (options.redecodeMeanShift > 0 && report.meanShift > options.redecodeMeanShift) {
            report.heard.hypothesis = decoder_->decodeAgainLive(audio, &score);
            report.decodedAgain = true;
        }
        // Of the hypothesis that is judged, after the second pass when there is one.
        report.heard.shortestFramesPerPhone = decoder_->shortestFramesPerPhone();
        report.heard.loudOutsideWords = loudOutsideWords(
            judged == &audio ? blockDb : blockEnergies(*judged),
            decoder_->wordFrames(int(judged->size() / frameSamples)), options.speakerBelowDb);
        report.grammarScore = score;
        report.frames = ps_get_n_frames(ps);
        report.heard.roomHeard = report.trimmed || report.speechOverRoomDb < options.rivalsBelowDb;
        if (report.heard.roomHeard && options.rivalPaths > 0 &&
            spelling_.contains(report.heard.hypothesis)) {
            decoder_->measureRivals(&report.heard, spelling_, options.rivalPaths);
        }
        const Judgement judgement = judgeUtterance(report.heard, spelling_, options.judge);
        report.accepted = judgement.accepted;
        report.decodeSeconds = timer.nsecsElapsed() / 1e9;
        if (report_) {
            report_(report);
        }
        // Kept here, where the event is chosen: an enrolment's indexes are exactly its events.
        int kept = -1;
        {
            std::lock_guard lock(keptMutex_);
            if (enrolling_ && kept_.size() < tuning::maxKeptUtterances) {
                kept = int(kept_.size());
                kept_.push_back(audio);
            }
        }
        QPointer<PocketSphinxContext> self(this);
        QMetaObject::invokeMethod(
            this,
            [self, judgement, kept, clipped = report.clipped] {
                if (!self) {
                    return;
                }
                if (clipped) {
                    emit self->InputTooLoud();
                }
                if (kept >= 0) {
                    emit self->EnrolmentHeard(kept, judgement.text);
                } else if (judgement.accepted) {
                    emit self->Recognition(judgement.text);
                } else {
                    emit self->FalseRecognition(judgement.text);
                }
            },
            Qt::QueuedConnection);
    }

    SpeechModel model_;
    std::unique_ptr<Decoder> decoder_;
    std::unique_ptr<AudioInput> input_;
    std::function<void(const UtteranceReport&)> report_;
    CommandGrammar grammar_;
    QHash<QString, QString> spelling_;
    // Enrolment: the utterances kept, a bounded number (tuning::maxKeptUtterances), so that a
    // window left enrolling in a talking room cannot fill the memory.
    std::mutex keptMutex_;
    bool enrolling_ = false;
    std::vector<std::vector<qint16>> kept_;
    std::thread chooser_;
    std::atomic<bool> cancelChoice_{false};
    int choiceRun_ = 0;              // the choice whose result counts
    bool resumeAfterChoice_ = false; // listening when it began, or switched on meanwhile
    bool grammarLoaded_ = false;
    bool listening_ = false;
    std::atomic<bool> stop_{false};
    std::atomic<bool> suspended_{false};
    std::atomic<bool> gated_{false};
    std::atomic<bool> pressEnded_{false};
    std::thread worker_;
};

// ---------------------------------------------------------------------------------------------
// The service

class PocketSphinxService final : public SpeechService {
public:
    explicit PocketSphinxService(SpeechServiceOptions options)
        : options_(std::move(options)), models_(findSpeechModels(options_.modelRoot)) {}

    QStringList recognizers() override {
        QStringList names;
        for (const SpeechModel& model : models_) {
            names << model.description;
        }
        return names;
    }

    QStringList audioInputs() override {
        if (options_.audioInput) {
            return {options_.audioInputName};
        }
        return {makeInput()->name()};
    }

    std::unique_ptr<RecognitionContext> createContext(int recognizer, SpeechError* error) override {
        if (recognizer < 0 || recognizer >= int(models_.size())) {
            if (error) {
                *error = {SpeechNoRecognizer, QStringLiteral("No recognizer at position %1 of %2")
                                                  .arg(recognizer)
                                                  .arg(models_.size())};
            }
            return nullptr;
        }
        // The device is tried once now, so that a missing one is reported when the recognizer
        // is chosen rather than at the first start.
        std::unique_ptr<AudioInput> input = makeInput();
        if (!input->open(error)) {
            return nullptr;
        }
        input->close();
        auto decoder = std::make_unique<Decoder>();
        if (!decoder->build(models_[size_t(recognizer)], options_.recognizer, error)) {
            // A damaged model stays damaged: it is no longer offered.
            models_.erase(models_.begin() + recognizer);
            return nullptr;
        }
        return std::make_unique<PocketSphinxContext>(
            models_[size_t(recognizer)], std::move(decoder), std::move(input), options_.report);
    }

    void setVoiceWarp(double warp) override { options_.recognizer.voiceWarp = warp; }

private:
    std::unique_ptr<AudioInput> makeInput() const {
        if (options_.audioInput) {
            return options_.audioInput();
        }
        const QString files = qEnvironmentVariable("QV_SPEECH_WAV");
        if (!files.isEmpty()) {
            return createWavFilesInput(files.split(u':', Qt::SkipEmptyParts));
        }
        return createPulseAudioInput();
    }

    SpeechServiceOptions options_;
    std::vector<SpeechModel> models_;
};

} // namespace

std::unique_ptr<SpeechService> createPocketSphinxService(const SpeechServiceOptions& options) {
    return std::make_unique<PocketSphinxService>(options);
}

} // namespace qv
