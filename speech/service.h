// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Speech recognition as the launcher's windows use it: the recognizers and audio inputs of the
// machine, and a recognition context that listens with a command grammar and reports what it
// heard on the user-interface thread. The recognizer (platform/recognizer) implements it; the
// fakes below stand in for it in tests.
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace qv {

// An error of the speech service, shown to the user as its number and description.
struct SpeechError {
    int number = 0;
    QString description;
};

// Error numbers of the speech service.
enum SpeechErrorNumber {
    SpeechNoRecognizer = 1,    // no recognizer at that position
    SpeechRecognizerBuild = 2, // the model could not be loaded
    SpeechNoAudioInput = 3,    // the capture device cannot be opened
    SpeechGrammarFile = 4,     // the grammar file is missing or damaged
    SpeechGrammarWords = 5,    // the grammar holds words the recognizer cannot say
    SpeechNoGrammar = 6,       // rules switched on before a grammar was loaded
};

class RecognitionContext : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Loads the command grammar from an XML grammar file; its rules start inactive.
    virtual bool loadGrammar(const QString& file, SpeechError* error) = 0;
    // Switches all top-level rules active (listening) or inactive.
    virtual bool setRulesActive(bool active, SpeechError* error) = 0;
    // While suspended (the character is speaking), what is heard is ignored.
    virtual void setSuspended(bool suspended) = 0;
    // Push to talk: while gated the room is not heard (its audio never reaches the decoder).
    // Closing the gate after an opening ends the utterance under way and has it judged; a press
    // in which nothing was judged is reported as a FalseRecognition of no words.
    virtual void setGated(bool gated) = 0;
    // Enrolment of a pupil's voice: while on, each utterance is kept and reported in
    // EnrolmentHeard instead of Recognition or FalseRecognition. Switching it on forgets what
    // was kept before.
    virtual void setEnrolling(bool on) = 0;
    // Hears the kept utterances again with each warp of a voice, said[i] being the command the
    // pupil was asked for in utterance i (empty: left out), on a thread of its own; the result
    // comes in VoiceChosen.
    virtual void chooseVoice(const QStringList& said) = 0;

signals:
    // A phrase of the grammar was heard; text as the grammar gives it.
    void Recognition(const QString& text);
    // Speech was heard that the grammar does not hold.
    void FalseRecognition(const QString& text);
    // The input was so loud that its peaks were cut off; what was heard is judged all the same.
    void InputTooLoud();
    // Utterance index of an enrolment was kept; text: what was heard in it (a command, or the
    // words that are none), empty when it held no word.
    void EnrolmentHeard(int index, const QString& text);
    // The warp that heard the enrolment best, and of its commands how many were heard right
    // without a warp and with that one; warp 0 when it could not be tried.
    void VoiceChosen(double warp, int rightBefore, int rightAfter, int commands);
};

class SpeechService {
public:
    virtual ~SpeechService() = default;
    // Readable descriptions of the recognizers, in a fixed order; a position in this list picks
    // the recognizer.
    virtual QStringList recognizers() = 0;
    // The audio inputs; the first is the default capture device.
    virtual QStringList audioInputs() = 0;
    // Builds a context for the recognizer at that position, listening on the first audio input.
    // A recognizer whose model cannot be loaded is taken out of the list of recognizers.
    virtual std::unique_ptr<RecognitionContext> createContext(int recognizer,
                                                              SpeechError* error) = 0;
    // The frequency warp of the pupil's voice for the contexts built from now on; 1: none.
    virtual void setVoiceWarp(double warp) = 0;
};

// A context driven by the test: it records what the launcher asked of it, and the test raises
// the recognition events itself with hear() and mishear().
class FakeRecognitionContext final : public RecognitionContext {
    Q_OBJECT
public:
    using RecognitionContext::RecognitionContext;
    bool loadGrammar(const QString& file, SpeechError* error) override {
        calls << QStringLiteral("loadGrammar ") + file;
        return fail(grammarError, error);
    }
    bool setRulesActive(bool active, SpeechError* error) override {
        calls << QStringLiteral("setRulesActive %1").arg(active ? 1 : 0);
        return fail(activationError, error);
    }
    void setSuspended(bool suspended) override {
        calls << QStringLiteral("setSuspended %1").arg(suspended ? 1 : 0);
    }
    void setGated(bool gated) override {
        calls << QStringLiteral("setGated %1").arg(gated ? 1 : 0);
    }
    void setEnrolling(bool on) override {
        calls << QStringLiteral("setEnrolling %1").arg(on ? 1 : 0);
    }
    void chooseVoice(const QStringList& said) override {
        calls << QStringLiteral("chooseVoice ") + said.join(u',');
    }
    void hear(const QString& text) { emit Recognition(text); }
    void mishear(const QString& text) { emit FalseRecognition(text); }
    void clip() { emit InputTooLoud(); }

    QStringList calls;
    SpeechError grammarError;    // number 0: no error
    SpeechError activationError; // number 0: no error

private:
    static bool fail(const SpeechError& planned, SpeechError* error) {
        if (planned.number == 0) {
            return true;
        }
        if (error) {
            *error = planned;
        }
        return false;
    }
};

// Recognizers and inputs chosen by the test; each context it builds is kept in contexts.
class FakeSpeechService final : public SpeechService {
public:
    QStringList recognizers() override { return recognizerNames; }
    QStringList audioInputs() override { return inputNames; }
    std::unique_ptr<RecognitionContext> createContext(int recognizer, SpeechError* error) override {
        if (recognizer < 0 || recognizer >= recognizerNames.size() || inputNames.isEmpty()) {
            if (error) {
                *error = {1, QStringLiteral("No recognizer at that position")};
            }
            return nullptr;
        }
        if (damagedRecognizers.contains(recognizerNames[recognizer])) {
            if (error) {
                *error = {2, recognizerNames[recognizer] + QStringLiteral(" is damaged")};
            }
            recognizerNames.removeAt(recognizer);
            return nullptr;
        }
        auto context = std::make_unique<FakeRecognitionContext>();
        contexts.push_back(context.get());
        return context;
    }
    void setVoiceWarp(double warp) override { voiceWarps.push_back(warp); }
    QStringList recognizerNames{QStringLiteral("Fake recognizer")};
    QStringList inputNames{QStringLiteral("Fake microphone")};
    QStringList damagedRecognizers;                // their model cannot be loaded
    std::vector<FakeRecognitionContext*> contexts; // owned by the launcher
    std::vector<double> voiceWarps;
};

} // namespace qv
