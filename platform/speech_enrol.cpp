// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/speech_enrol.h"

#include "platform/speech_decoder.h"
#include "platform/speech_judge.h"

#include <QFile>
#include <QSet>
#include <QTemporaryFile>

#include <algorithm>

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

std::vector<float> voiceMean(const std::vector<AlignedUtterance>& aligned, int width) {
    std::vector<double> sum;
    double frames = 0;
    for (const AlignedUtterance& a : aligned) {
        const size_t count = a.frames.size() / size_t(std::max(1, width));
        const auto n = static_cast<double>(count);
        if (count == 0 || a.mean.empty()) {
            continue;
        }
        sum.resize(a.mean.size(), 0.0);
        for (size_t i = 0; i < a.mean.size(); ++i) {
            sum[i] += n * double(a.mean[i]);
        }
        frames += n;
    }
    std::vector<float> mean(sum.size());
    std::transform(sum.begin(), sum.end(), mean.begin(),
                   [frames](double v) { return float(v / frames); });
    return mean;
}

const std::vector<double>& voiceWarps() {
    static const std::vector<double> warps{1.0, 1.1, 1.2, 1.3, 1.4, 1.5};
    return warps;
}

int WarpTrial::heardRight() const {
    return int(std::count(right.begin(), right.end(), true));
}

VoiceChoice pickVoice(const std::vector<WarpTrial>& trials) {
    std::vector<double> warps;
    std::vector<int> right;
    for (const WarpTrial& trial : trials) {
        warps.push_back(trial.warp);
        right.push_back(trial.heardRight());
    }
    VoiceChoice choice;
    choice.warp = chooseVoiceWarp(warps, right);
    for (size_t i = 0; i < trials.size(); ++i) {
        choice.rightBefore = i == 0 ? right[i] : choice.rightBefore;
        choice.rightAfter = warps[i] == choice.warp ? right[i] : choice.rightAfter;
    }
    return choice;
}

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

bool alignEnrolment(const SpeechModel& model, const RecognizerOptions& options,
                    const CommandGrammar& grammar, const Codebooks& codebooks,
                    const std::vector<EnrolmentUtterance>& utterances,
                    std::vector<AlignedUtterance>* aligned, SpeechError* error) {
    aligned->clear();
    QTemporaryFile words;
    Decoder decoder;
    if (!decoder.build(withCommandWordsOnly(model, options, grammar, &words), options, error)) {
        return false;
    }
    const int silence = codebooks.codebook(QStringLiteral("SIL"));
    const int width = codebooks.means().width();
    for (const EnrolmentUtterance& utterance : utterances) {
        AlignedUtterance& out = aligned->emplace_back();
        // Silence, the phones of the words (each of its three states at least a frame), silence.
        std::vector<int> phones{silence};
        for (const QString& word : utterance.said.toLower().split(u' ', Qt::SkipEmptyParts)) {
            for (const QString& phone : decoder.pronunciation(word)) {
                phones.push_back(codebooks.codebook(phone));
            }
        }
        phones.push_back(silence);
        if (std::count(phones.begin(), phones.end(), -1) > 0 || phones.size() < 3) {
            continue;
        }
        const std::vector<float> frames = decoder.features(utterance.audio, width, &out.mean);
        const size_t count = frames.size() / size_t(width);
        std::vector<std::vector<double>> scores(count);
        for (size_t t = 0; t < count; ++t) {
            for (const int cb : phones) {
                scores[t].push_back(codebooks.score(frames.data() + t * size_t(width), cb));
            }
        }
        std::vector<int> least(phones.size(), 3);
        least.front() = least.back() = 1;
        const std::vector<int> path = alignInOrder(scores, least, true);
        for (const int element : path) {
            const int cb = phones[size_t(element)];
            // The silence is the room's, not the voice's.
            out.codebooks.push_back(cb == silence ? -1 : cb);
        }
        if (!path.empty()) {
            out.frames = frames;
        }
    }
    // The launcher hears each utterance against the running mean of the voice, not against the
    // utterance's own: the statistics see the frames as it will hear them.
    const std::vector<float> voice = voiceMean(*aligned, width);
    for (AlignedUtterance& out : *aligned) {
        for (size_t t = 0; t < out.frames.size(); t += size_t(width)) {
            for (size_t i = 0; i < voice.size() && i < out.mean.size(); ++i) {
                out.frames[t + i] += out.mean[i] - voice[i];
            }
        }
    }
    return true;
}

MeanTransform voiceTransform(const Codebooks& codebooks,
                             const std::vector<AlignedUtterance>& aligned, double prior,
                             const std::vector<bool>& leftOut) {
    AdaptationStatistics statistics(codebooks);
    const auto width = static_cast<size_t>(codebooks.means().width());
    for (size_t u = 0; u < aligned.size(); ++u) {
        if ((u < leftOut.size() && leftOut[u]) || aligned[u].frames.empty()) {
            continue;
        }
        for (size_t t = 0; t < aligned[u].codebooks.size(); ++t) {
            if (aligned[u].codebooks[t] >= 0) {
                statistics.add(aligned[u].frames.data() + t * width, aligned[u].codebooks[t]);
            }
        }
    }
    return statistics.solve(prior);
}

int heardWithOthersTransform(Decoder* decoder, const Codebooks& codebooks,
                             const std::vector<AlignedUtterance>& aligned,
                             const std::vector<EnrolmentUtterance>& utterances, double prior,
                             std::vector<bool> leftOut) {
    leftOut.resize(utterances.size(), false);
    const std::vector<float> voice = voiceMean(aligned, codebooks.means().width());
    int right = 0;
    for (size_t u = 0; u < utterances.size(); ++u) {
        if (leftOut[u]) {
            continue;
        }
        leftOut[u] = true;
        if (decoder->adaptMeans(voiceTransform(codebooks, aligned, prior, leftOut))) {
            // Heard live, as the launcher hears it, against the voice's mean.
            decoder->setFeatureMean(voice);
            right += decoder->decodeAgainLive(utterances[u].audio, nullptr) ==
                     utterances[u].said.toLower();
        }
        leftOut[u] = false;
    }
    return right;
}

bool adaptVoice(const SpeechModel& model, const RecognizerOptions& options,
                const CommandGrammar& grammar, const std::vector<EnrolmentUtterance>& utterances,
                int rightBefore, QByteArray* transform, int* rightAfter, SpeechError* error,
                const std::atomic<bool>* cancel) {
    transform->clear();
    *rightAfter = rightBefore;
    Codebooks codebooks;
    QString problem;
    if (!codebooks.load(model.acousticModel, &problem)) {
        // Another kind of model: its voices are learnt by the warp alone.
        qWarning("No voice transform for %s: %s", qPrintable(model.description),
                 qPrintable(problem));
        return true;
    }
    std::vector<AlignedUtterance> aligned;
    QTemporaryFile words;
    Decoder decoder;
    if (!alignEnrolment(model, options, grammar, codebooks, utterances, &aligned, error) ||
        !decoder.build(withCommandWordsOnly(model, options, grammar, &words), options, error) ||
        !decoder.setGrammar(grammar, error)) {
        return false;
    }
    if (cancel && *cancel) {
        return fail(error, 0, QStringLiteral("Cancelled"));
    }
    // Kept only when it hears commands it was not found on better than the warp alone: for
    // many voices it gains nothing, and a model drawn toward one voice rejects the speech of
    // others less well.
    const int right =
        heardWithOthersTransform(&decoder, codebooks, aligned, utterances, voiceTransformPrior);
    if (right > rightBefore) {
        *transform = formatMeanTransform(voiceTransform(codebooks, aligned, voiceTransformPrior));
        *rightAfter = right;
    }
    return true;
}

} // namespace qv
