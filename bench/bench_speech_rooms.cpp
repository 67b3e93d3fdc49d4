// The spoken commands as a classroom hears them: for each condition (children talking behind,
// noise, a clipped microphone, raised and slowed voices) the share of commands heard right,
// heard as another button (a wrong program would start) and missed, and of other speech
// rejected, through the service exactly as the launcher feeds it. Beside it, what the acoustic
// model alone makes of each command file decoded whole against the ten commands only: the
// pipeline should lose little to it.
//   bench_speech_rooms [-h] [-v] [-s K] [condition ...]
// -h uses the held-out voices for the commands (no setting may be tuned on them), -v prints
// every command that was not heard right, -s K takes every K-th utterance only (a quick look
// on a shared machine).
#include "bench/speech/speech_rooms.h"
#include "bench/speech/speech_runner.h"
#include "platform/speech_decoder.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

// The ten commands alone, each file decoded whole (its own feature mean): the model's ceiling.
class ModelAlone {
public:
    bool start(QString* error) {
        const std::vector<qv::SpeechModel> models =
            qv::findSpeechModels(qv::defaultSpeechModelRoot());
        qv::CommandGrammar grammar;
        qv::SpeechError speechError;
        if (models.empty() ||
            !qv::readCommandGrammarFile(qvspeech::grammarFile(), &grammar, error)) {
            *error = QStringLiteral("no recognizer or grammar");
            return false;
        }
        qv::RecognizerOptions plain;
        plain.pronunciations.clear();
        plain.garbageWords = 0;
        plain.minFramesPerPhone = 0;
        plain.redecodeMeanShift = 0;
        plain.decoderArguments.clear();
        if (!decoder_.build(models[0], plain, &speechError) ||
            !decoder_.setGrammar(grammar, &speechError)) {
            *error = speechError.description;
            return false;
        }
        for (const QString& phrase : qv::commandGrammarPhrases(grammar)) {
            spelling_.insert(phrase.toLower(), phrase);
        }
        return true;
    }
    QString heard(const QString& wav) {
        std::vector<qint16> samples;
        QString error;
        if (!qv::readWav16kMono(wav, &samples, &error)) {
            return {};
        }
        ps_decoder_t* ps = decoder_.handle();
        ps_start_utt(ps);
        ps_process_raw(ps, samples.data(), samples.size(), FALSE, TRUE);
        ps_end_utt(ps);
        int32 score = 0;
        const char* hypothesis = ps_get_hyp(ps, &score);
        const QString text = hypothesis ? QString::fromUtf8(hypothesis) : QString();
        return spelling_.value(text, text);
    }

private:
    qv::Decoder decoder_;
    QHash<QString, QString> spelling_;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    bool heldOut = false;
    bool verbose = false;
    qv::SpeechServiceOptions options;
    QStringList wanted;
    size_t stride = 1;
    const QStringList arguments = app.arguments().mid(1);
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("-s") && i + 1 < arguments.size()) {
            stride = std::max(1u, arguments[++i].toUInt());
        } else if (argument == QLatin1String("-h")) {
            heldOut = true;
        } else if (argument == QLatin1String("-v")) {
            verbose = true;
        } else {
            wanted << argument;
        }
    }
    std::vector<qvspeech::Utterance> commands;
    std::vector<qvspeech::Utterance> others;
    QString error;
    if (!qvspeech::synthesizeCorpus(&commands, &others, &error) ||
        (heldOut && (commands.clear(),
                     !qvspeech::synthesize(qvspeech::commandPhrases(), qvspeech::heldOutVoices(),
                                           QStringLiteral("held"), &commands, &error)))) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    auto thin = [stride](std::vector<qvspeech::Utterance>* list) {
        std::vector<qvspeech::Utterance> kept;
        for (size_t i = 0; i < list->size(); i += stride) {
            kept.push_back((*list)[i]);
        }
        *list = std::move(kept);
    };
    thin(&commands);
    thin(&others);
    ModelAlone alone;
    if (!alone.start(&error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    std::printf("%-26s %7s %7s %7s %9s %8s\n", "condition", "right%", "wrong%", "missed%",
                "rejected%", "alone%");
    qvspeech::Rates all;
    int aloneRight = 0;
    for (const qvspeech::Condition& condition : qvspeech::roomConditions()) {
        if (!wanted.isEmpty() && !wanted.contains(condition.id)) {
            continue;
        }
        std::vector<qvspeech::Utterance> heardCommands;
        std::vector<qvspeech::Utterance> heardOthers;
        std::vector<qvspeech::Outcome> commandOutcomes;
        std::vector<qvspeech::Outcome> otherOutcomes;
        if (!qvspeech::underCondition(condition, commands, &heardCommands, &error) ||
            !qvspeech::underCondition(condition, others, &heardOthers, &error) ||
            !qvspeech::recognizeAll(heardCommands, options, &commandOutcomes, &error,
                                    condition.trailingSilenceMs()) ||
            !qvspeech::recognizeAll(heardOthers, options, &otherOutcomes, &error,
                                    condition.trailingSilenceMs())) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(condition.id), qPrintable(error));
            return 1;
        }
        int right = 0;
        for (const qvspeech::Utterance& u : heardCommands) {
            right += alone.heard(u.wav) == u.text ? 1 : 0;
        }
        const qvspeech::Rates r = qvspeech::rates(commandOutcomes, otherOutcomes);
        const double missed = 100.0 - r.correctPct() - r.wrongPct();
        std::printf("%-26s %7.1f %7.1f %7.1f %9.1f %8.1f\n", qPrintable(condition.id),
                    r.correctPct(), r.wrongPct(), missed, r.rejectedPct(),
                    100.0 * right / std::max<size_t>(1, heardCommands.size()));
        std::fflush(stdout);
        if (verbose) {
            for (const qvspeech::Outcome& o : commandOutcomes) {
                if (!o.correct()) {
                    std::printf("  %-6s %-14s rec[%s] false[%s]", qPrintable(o.utterance.voice),
                                qPrintable(o.utterance.text), qPrintable(o.recognitions.join(u'|')),
                                qPrintable(o.falseRecognitions.join(u'|')));
                    for (const qv::UtteranceReport& report : o.reports) {
                        std::printf(" %.2fs%s", report.audioSeconds,
                                    report.clipped ? " clipped" : "");
                    }
                    std::printf("\n");
                }
            }
        }
        all.commands += r.commands;
        all.correct += r.correct;
        all.wrong += r.wrong;
        all.others += r.others;
        all.rejected += r.rejected;
        aloneRight += right;
    }
    std::printf("%-26s %7.1f %7.1f %7.1f %9.1f %8.1f\n", "all conditions", all.correctPct(),
                all.wrongPct(), 100.0 - all.correctPct() - all.wrongPct(), all.rejectedPct(),
                100.0 * aloneRight / std::max(1, all.commands));
    return 0;
}
