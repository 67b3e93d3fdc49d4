// SPDX-License-Identifier: GPL-3.0-or-later
// Measures the rejection settings of the speech service on the synthesized corpus: for each
// setting given on the command line, the share of commands recognised correctly and of other
// speech rejected. A setting is "name:key=value,key=value,..." changing the service's defaults:
//   words=<count of likely words in the garbage loop>|0 wordweight=<weight of each>
//   maxphones=<n> alike=<phones> cmdwords=0|1 (which words the loop holds)
//   minfpp=<fewest frames per phone of a command's words>|0
//   rivals=<paths of the word graph looked at>|0 othergap=<score per frame> nogap=<score per frame>
//   outside=<largest share of the loud blocks outside a command's words>
//   roomoutside=<the same where the room is heard with the speaker>
//   redecode=<shift of the feature mean above which an utterance is decoded again>|0
//   pron=none | pron=<word(n)>/<phones> (repeatable)
//   arg=none | arg=<decoder argument>=<value> (repeatable, e.g. arg=-vad_postspeech=25)
// -v prints every miss, -h measures the commands in the held-out voices instead of the corpus.
#include "bench/speech/speech_runner.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

bool parse(const QString& setting, QString* name, qv::RecognizerOptions* options) {
    *name = setting.section(u':', 0, 0);
    const QString rest = setting.section(u':', 1);
    for (const QString& item : rest.split(u',', Qt::SkipEmptyParts)) {
        const QString key = item.section(u'=', 0, 0);
        const QString value = item.section(u'=', 1);
        if (key == QLatin1String("pron") && value == QLatin1String("none")) {
            options->pronunciations.clear();
        } else if (key == QLatin1String("pron")) {
            options->pronunciations.append({value.section(u'/', 0, 0), value.section(u'/', 1)});
        } else if (key == QLatin1String("words")) {
            options->garbageWords = value.toInt();
        } else if (key == QLatin1String("maxphones")) {
            options->garbageMaxPhones = value.toInt();
        } else if (key == QLatin1String("alike")) {
            options->garbageSoundAlike = value.toInt();
        } else if (key == QLatin1String("cmdwords")) {
            options->garbageWithCommandWords = value == QLatin1String("1");
        } else if (key == QLatin1String("minfpp")) {
            options->judge.minFramesPerPhone = value.toDouble();
        } else if (key == QLatin1String("rivals")) {
            options->rivalPaths = value.toInt();
        } else if (key == QLatin1String("othergap")) {
            options->judge.minOtherCommandGap = value.toDouble();
        } else if (key == QLatin1String("nogap")) {
            options->judge.minNoCommandGap = value.toDouble();
        } else if (key == QLatin1String("outside")) {
            options->judge.maxLoudOutsideWords = value.toDouble();
        } else if (key == QLatin1String("roomoutside")) {
            options->judge.maxLoudOutsideWordsInRoom = value.toDouble();
        } else if (key == QLatin1String("redecode")) {
            options->redecodeMeanShift = value.toDouble();
        } else if (key == QLatin1String("wordweight")) {
            options->garbageWordWeight = value.toDouble();
        } else if (key == QLatin1String("arg") && value == QLatin1String("none")) {
            options->decoderArguments.clear();
        } else if (key == QLatin1String("arg")) {
            options->decoderArguments << value.section(u'=', 0, 0) << value.section(u'=', 1);
        } else {
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList settings = app.arguments().mid(1);
    const bool all = settings.removeAll(QStringLiteral("-a")) > 0;
    const bool heldOut = settings.removeAll(QStringLiteral("-h")) > 0;
    // -s<n>: every n-th utterance only, for a quick look.
    int step = 1;
    for (const QString& setting : settings) {
        if (setting.startsWith(QLatin1String("-s"))) {
            step = std::max(1, setting.mid(2).toInt());
            settings.removeAll(setting);
            break;
        }
    }
    const bool verbose = settings.removeAll(QStringLiteral("-v")) > 0 || all;
    std::vector<qvspeech::Utterance> commands;
    std::vector<qvspeech::Utterance> others;
    QString error;
    if (!qvspeech::synthesizeCorpus(&commands, &others, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    if (heldOut) {
        commands.clear();
        if (!qvspeech::synthesize(qvspeech::commandPhrases(), qvspeech::heldOutVoices(),
                                  QStringLiteral("held"), &commands, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
    }
    auto thin = [step](std::vector<qvspeech::Utterance>& list) {
        std::vector<qvspeech::Utterance> kept;
        for (size_t i = 0; i < list.size(); i += size_t(step)) {
            kept.push_back(list[i]);
        }
        list = kept;
    };
    thin(commands);
    thin(others);
    std::printf("%-28s %9s %9s %10s\n", "setting", "correct%", "rejected%", "decode ms");
    for (const QString& setting : settings) {
        QString name;
        qv::SpeechServiceOptions options;
        options.recognizer = {};
        if (!parse(setting, &name, &options.recognizer)) {
            std::fprintf(stderr, "bad setting %s\n", qPrintable(setting));
            return 2;
        }
        std::vector<qvspeech::Outcome> commandOutcomes;
        std::vector<qvspeech::Outcome> otherOutcomes;
        if (!qvspeech::recognizeAll(commands, options, &commandOutcomes, &error) ||
            !qvspeech::recognizeAll(others, options, &otherOutcomes, &error)) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(name), qPrintable(error));
            return 1;
        }
        double decode = 0;
        int decoded = 0;
        for (const auto* list : {&commandOutcomes, &otherOutcomes}) {
            for (const qvspeech::Outcome& outcome : *list) {
                for (const qv::UtteranceReport& report : outcome.reports) {
                    decode += report.decodeSeconds;
                    ++decoded;
                }
            }
        }
        const qvspeech::Rates r = qvspeech::rates(commandOutcomes, otherOutcomes);
        std::printf("%-28s %9.1f %9.1f %10.1f\n", qPrintable(name), r.correctPct(), r.rejectedPct(),
                    decoded ? 1000 * decode / decoded : 0.0);
        if (verbose) {
            for (const auto* list : {&commandOutcomes, &otherOutcomes}) {
                for (const qvspeech::Outcome& outcome : *list) {
                    const bool command = list == &commandOutcomes;
                    if (!all && (command ? outcome.correct() : outcome.rejected())) {
                        continue;
                    }
                    std::printf("  %s %-6s %-24s rec[%s] false[%s]", command ? "cmd  " : "other",
                                qPrintable(outcome.utterance.voice),
                                qPrintable(outcome.utterance.text),
                                qPrintable(outcome.recognitions.join(u'|')),
                                qPrintable(outcome.falseRecognitions.join(u'|')));
                    for (const qv::UtteranceReport& report : outcome.reports) {
                        std::printf(
                            " {g=%s gs=%d n=%d fpp=%.1f gaps=%.1f/%.1f shift=%.1f%s %.0fms}",
                            qPrintable(report.heard.hypothesis), report.grammarScore, report.frames,
                            report.heard.shortestFramesPerPhone, report.heard.otherCommandGap,
                            report.heard.noCommandGap, report.meanShift,
                            report.decodedAgain ? " again" : "", 1000 * report.decodeSeconds);
                    }
                    std::printf("\n");
                }
            }
        }
        std::fflush(stdout);
    }
    return 0;
}
