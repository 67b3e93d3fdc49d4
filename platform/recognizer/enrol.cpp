// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/recognizer/enrol.h"

#include "platform/recognizer/decoder.h"

#include <QFile>
#include <QSet>
#include <QTemporaryFile>

namespace qv {

namespace {

// The dictionary's lines for these words and their variants ("word(2)"). A decoder that hears
// the commands alone needs no other word, and without the other hundred thousand it takes a
// fraction of the memory beside the decoder that listens.
bool writeWordsOf(const QString& dictionary, const QStringList& words, QTemporaryFile* out) {
    QFile in(dictionary);
    if (!in.open(QIODevice::ReadOnly) || !out->open()) {
        return false;
    }
    const QSet<QString> wanted(words.begin(), words.end());
    while (!in.atEnd()) {
        const QByteArray line = in.readLine();
        qsizetype end = 0;
        while (end < line.size() && line[end] != ' ' && line[end] != '\t') {
            ++end;
        }
        const QString head = QString::fromUtf8(line.left(end));
        if (wanted.contains(head.section(u'(', 0, 0)) && out->write(line) != line.size()) {
            return false;
        }
    }
    return out->flush();
}

// The model with a dictionary of the grammar's words alone, when the options need no other.
SpeechModel withCommandWordsOnly(const SpeechModel& model, const RecognizerOptions& options,
                                 const CommandGrammar& grammar, QTemporaryFile* words) {
    SpeechModel heard = model;
    if (options.garbageWords == 0 &&
        writeWordsOf(model.dictionary, commandGrammarWords(grammar), words)) {
        heard.dictionary = words->fileName();
    }
    return heard;
}

bool fail(SpeechError* error, int number, const QString& text) {
    if (error) {
        *error = {number, text};
    }
    return false;
}

} // namespace

bool tryVoiceWarps(const SpeechModel& model, const RecognizerOptions& options,
                   const CommandGrammar& grammar, const std::vector<EnrolmentUtterance>& utterances,
                   std::vector<WarpTrial>* trials, SpeechError* error,
                   const std::atomic<bool>* cancel) {
    trials->clear();
    RecognizerOptions warped = options;
    QTemporaryFile words;
    const SpeechModel heard = withCommandWordsOnly(model, options, grammar, &words);
    for (const double warp : voiceWarps()) {
        if (cancel && *cancel) {
            return fail(error, 0, QStringLiteral("Cancelled"));
        }
        warped.voiceWarp = warp;
        Decoder decoder;
        if (!decoder.build(heard, warped, error) || !decoder.setGrammar(grammar, error)) {
            return false;
        }
        WarpTrial& trial = trials->emplace_back();
        trial.warp = warp;
        double score = 0;
        double frames = 0;
        for (const EnrolmentUtterance& utterance : utterances) {
            int best = 0;
            int n = 0;
            trial.right.push_back(decoder.decodeWhole(utterance.audio, &best, &n) ==
                                  utterance.said.toLower());
            score += best;
            frames += n;
        }
        trial.score = frames > 0 ? score / frames : 0;
    }
    return true;
}

} // namespace qv
