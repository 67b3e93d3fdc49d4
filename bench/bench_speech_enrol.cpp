// SPDX-License-Identifier: GPL-3.0-or-later
// What a pupil's enrolment gains: each voice of a condition says the ten commands, the warp that
// hears its other nine best is chosen for each command (so that no command is heard with a warp
// chosen on itself), and the command is then heard through the service with that warp. Per
// condition: right, another button and missed without and with enrolment, the warps chosen, and
// the rejection of other speech by the decoders of those warps.
//   bench_speech_enrol [-h] [-t] [-g] [-m N] [-s K] [condition ...]
//   (default: clean raised-4-semitones)
// -h uses the held-out voices, -s K every K-th voice only, -t prints for each voice how many of
// its commands each warp hears right (and the score per frame), and nothing else; -g chooses
// with the loop of likely words beside the commands, as the launcher listens.
#include "bench/speech/speech_rooms.h"
#include "bench/speech/speech_runner.h"
#include "platform/recognizer/decoder.h"
#include "platform/recognizer/enrol.h"
#include "platform/recognizer/grammarfile.h"
#include "speech/judge.h"

#include <QCoreApplication>
#include <QMap>
#include <algorithm>
#include <cstdio>

namespace {

void printRow(const char* condition, const char* kind, const qvspeech::Rates& r) {
    std::printf("%-20s %-9s %7.1f %7.1f %7.1f", condition, kind, r.correctPct(), r.wrongPct(),
                r.missedPct());
}

// The warp chosen on all of a voice's commands but the one at left, so that no command is heard
// with a warp chosen on itself.
double warpOfTheOthers(const std::vector<qv::WarpTrial>& trials, size_t left, int minGain = 1) {
    std::vector<double> warps;
    std::vector<int> counts;
    for (const qv::WarpTrial& t : trials) {
        int n = 0;
        for (size_t i = 0; i < t.right.size(); ++i) {
            n += i != left && t.right[i] ? 1 : 0;
        }
        warps.push_back(t.warp);
        counts.push_back(n);
    }
    return qv::chooseVoiceWarp(warps, counts, minGain);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    bool heldOut = false;
    bool tableOnly = false;
    int minGain = 1;
    qv::RecognizerOptions trialOptions;
    trialOptions.garbageWords = 0;
    size_t stride = 1;
    QStringList wanted;
    const QStringList arguments = app.arguments().mid(1);
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("-h")) {
            heldOut = true;
        } else if (arguments[i] == QLatin1String("-g")) {
            trialOptions = {};
        } else if (arguments[i] == QLatin1String("-m") && i + 1 < arguments.size()) {
            minGain = arguments[++i].toInt();
        } else if (arguments[i] == QLatin1String("-t")) {
            tableOnly = true;
        } else if (arguments[i] == QLatin1String("-s") && i + 1 < arguments.size()) {
            stride = std::max(1u, arguments[++i].toUInt());
        } else {
            wanted << arguments[i];
        }
    }
    if (wanted.isEmpty()) {
        wanted << QStringLiteral("clean") << QStringLiteral("raised-4-semitones");
    }
    std::vector<qvspeech::Utterance> commands;
    std::vector<qvspeech::Utterance> others;
    QString error;
    if (!qvspeech::synthesizeCorpus(&commands, &others, &error, heldOut)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    const std::vector<qv::SpeechModel> models = qv::findSpeechModels(qv::defaultSpeechModelRoot());
    qv::CommandGrammar grammar;
    if (models.empty() || !qv::readCommandGrammarFile(qvspeech::grammarFile(), &grammar, &error)) {
        std::fprintf(stderr, "no recognizer or grammar %s\n", qPrintable(error));
        return 1;
    }
    std::printf("%-20s %-9s %7s %7s %7s %9s  %s\n", "condition", "", "right%", "wrong%", "missed%",
                "rejected%", "warps chosen");
    for (const qvspeech::Condition& condition : qvspeech::roomConditions()) {
        if (!wanted.contains(condition.id)) {
            continue;
        }
        std::vector<qvspeech::Utterance> heard;
        std::vector<qvspeech::Utterance> heardOthers;
        if (!qvspeech::underCondition(condition, commands, &heard, &error) ||
            !qvspeech::underCondition(condition, others, &heardOthers, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        QMap<QString, std::vector<qvspeech::Utterance>> byVoice;
        for (const qvspeech::Utterance& u : heard) {
            byVoice[u.voice].push_back(u);
        }
        // Each command with the warp chosen on the voice's other commands.
        QMap<double, std::vector<qvspeech::Utterance>> byWarp;
        size_t voiceIndex = 0;
        for (const auto& said : std::as_const(byVoice)) {
            if (voiceIndex++ % stride != 0) {
                continue;
            }
            std::vector<qv::EnrolmentUtterance> enrolment;
            for (const qvspeech::Utterance& u : said) {
                qv::EnrolmentUtterance e{u.text, {}};
                if (!qv::readWav16kMono(u.wav, &e.audio, &error)) {
                    std::fprintf(stderr, "%s\n", qPrintable(error));
                    return 1;
                }
                enrolment.push_back(std::move(e));
            }
            std::vector<qv::WarpTrial> trials;
            qv::SpeechError speechError;
            if (!qv::tryVoiceWarps(models[0], trialOptions, grammar, enrolment, &trials,
                                   &speechError)) {
                std::fprintf(stderr, "%s\n", qPrintable(speechError.description));
                return 1;
            }
            if (tableOnly) {
                std::printf("%-20s %-10s", qPrintable(condition.id), qPrintable(said[0].voice));
                for (const qv::WarpTrial& t : trials) {
                    std::printf(" %.2f:%2d %.0f", t.warp, t.heardRight(), t.score);
                }
                std::printf("\n");
                std::fflush(stdout);
                continue;
            }
            for (size_t left = 0; left < said.size(); ++left) {
                byWarp[warpOfTheOthers(trials, left, minGain)].push_back(said[left]);
            }
        }
        if (tableOnly) {
            continue;
        }
        qvspeech::Rates before;
        qvspeech::Rates after;
        double rejectedSum = 0;
        QStringList chosen;
        const int silence = condition.trailingSilenceMs();
        for (auto it = byWarp.cbegin(); it != byWarp.cend(); ++it) {
            qv::SpeechServiceOptions plain;
            qv::SpeechServiceOptions warped;
            warped.recognizer.voiceWarp = it.key();
            std::vector<qvspeech::Outcome> without;
            std::vector<qvspeech::Outcome> with;
            std::vector<qvspeech::Outcome> otherOutcomes;
            if (!qvspeech::recognizeAll(it.value(), plain, &without, &error, silence) ||
                !qvspeech::recognizeAll(it.value(), warped, &with, &error, silence) ||
                !qvspeech::recognizeAll(heardOthers, warped, &otherOutcomes, &error, silence)) {
                std::fprintf(stderr, "%s\n", qPrintable(error));
                return 1;
            }
            before += qvspeech::rates(without, {});
            after += qvspeech::rates(with, {});
            const qvspeech::Rates r = qvspeech::rates({}, otherOutcomes);
            rejectedSum += r.rejectedPct() * double(it.value().size());
            chosen << QStringLiteral("%1x%2").arg(it.key()).arg(it.value().size());
        }
        printRow(qPrintable(condition.id), "as now", before);
        std::printf("\n");
        printRow("", "enrolled", after);
        std::printf(" %9.1f  %s\n", rejectedSum / std::max(1, after.commands),
                    qPrintable(chosen.join(u' ')));
        std::fflush(stdout);
    }
    return 0;
}
