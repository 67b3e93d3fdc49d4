// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plays synthesized utterances one after another through the real recognizer's WAV input and
// collects the events each one raised.
#include "bench/speech/speech_corpus.h"
#include "platform/recognizer/decoder.h"
#include "platform/recognizer/pocketsphinx.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

namespace qvspeech {

struct Outcome {
    Utterance utterance;
    QStringList recognitions;      // texts of Recognition events
    QStringList falseRecognitions; // texts of FalseRecognition events
    std::vector<qv::UtteranceReport> reports;
    // A command counts when it raised its own text and nothing else was recognised.
    bool correct() const {
        return !recognitions.isEmpty() && recognitions.count(utterance.text) == recognitions.size();
    }
    // A command that raised another command's text: another button would have started.
    bool wrongLaunch() const { return recognitions.count(utterance.text) != recognitions.size(); }
    // Speech that is no command counts as rejected when nothing was recognised.
    bool rejected() const { return recognitions.isEmpty(); }
};

// The grammar shipped with the programs (from the source tree).
QString grammarFile();

// Plays each utterance through a fresh context of recognizer 0, each followed by that much
// silence; false with a message when the recognizer or the grammar cannot be set up. An event
// counts for the utterance being played when it arrives, as the launcher would act on it.
// With push to talk, the talk key is held once for each file (EachFile), or never (Never:
// speech outside any press). A press holds the samples pressed(length of the file) gives,
// first to last but one, counted from the file's start into the silence after it; none: the
// whole file.
enum class TalkKey { NotUsed, EachFile, Never };
using PressWindow = std::function<std::pair<size_t, size_t>(size_t fileSamples)>;
bool recognizeAll(const std::vector<Utterance>& utterances, qv::SpeechServiceOptions options,
                  std::vector<Outcome>* outcomes, QString* error, int trailingSilenceMs = 800,
                  TalkKey talkKey = TalkKey::NotUsed, const PressWindow& pressed = {});

struct Rates {
    int commands = 0;
    int correct = 0;
    int wrong = 0; // another command heard
    int others = 0;
    int rejected = 0;
    double correctPct() const { return commands ? 100.0 * correct / commands : 0; }
    double wrongPct() const { return commands ? 100.0 * wrong / commands : 0; }
    double rejectedPct() const { return others ? 100.0 * rejected / others : 0; }
    // Commands that started nothing.
    double missedPct() const {
        return commands ? std::max(0.0, 100.0 - correctPct() - wrongPct()) : 0;
    }
    Rates& operator+=(const Rates& r) {
        commands += r.commands;
        correct += r.correct;
        wrong += r.wrong;
        others += r.others;
        rejected += r.rejected;
        return *this;
    }
};
Rates rates(const std::vector<Outcome>& commands, const std::vector<Outcome>& others);

// What the acoustic model makes of the ten commands alone, each file decoded whole against its
// own feature mean: the ceiling the pipeline should lose little to.
class ModelAlone {
public:
    bool start(QString* error);
    QString heard(const QString& wav);
    // How many of the commands it hears as themselves; heardList, when given, gets what it heard
    // of each, in their order.
    int right(const std::vector<Utterance>& commands, QStringList* heardList = nullptr);

private:
    qv::Decoder decoder_;
    QHash<QString, QString> spelling_;
};

} // namespace qvspeech
