// SPDX-License-Identifier: GPL-3.0-or-later
// The spoken commands as a classroom hears them: for each condition (children talking behind,
// noise, a clipped microphone, raised and slowed voices) the share of commands heard right,
// heard as another button (a wrong program would start) and missed, and of other speech
// rejected, through the service exactly as the launcher feeds it. Beside it, what the acoustic
// model alone makes of each command file decoded whole against the ten commands only: the
// pipeline should lose little to it.
//   bench_speech_rooms [-h] [-v] [-d] [-n] [-s K] [-r MS] [-x WORD(N)] [-l PHONES] [-g DB]
//                      [condition ...]
// -h uses the held-out voices and other phrases (no setting may be tuned on them), -v prints
// every command that was not heard right, -d every utterance's report as a tab-separated line
// starting with "D" and what the model alone heard of each command file in a line starting
// with "A" (for working out a setting from the figures; with -n the rivals of every command are
// measured and none is rejected for them, and every utterance counts as heard in a room:
// scripts/judge-frontier works the default judge out again from such a dump), -s K takes every
// K-th utterance only (a quick look on a shared machine). Under each condition a second row:
// each command said with the talk key held from 0.3 s before the speaker to 0.3 s after, the
// other speech without it (push to talk); -r MS lets go of the key MS after the speaker's end
// instead (below 0: before). -x WORD(N) leaves that added pronunciation out (repeatable), to
// see what each one wins and costs; -l PHONES leaves loop words that close to a command's word
// out of the loop instead of the default; -g DB ends an utterance in talk that far under the
// speaker instead of the default (0: never).
#include "bench/speech/speech_rooms.h"
#include "bench/speech/speech_runner.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

// Push to talk: a pupil holds the key from a little before the first word to a little after
// the last; releaseMs after the speaker's end (below 0: before it, the last word cut short).
qvspeech::PressWindow pressAround(const qvspeech::Condition& condition, int releaseMs) {
    const int marginMs = 300;
    const bool roomAround = condition.room != qvspeech::Condition::Room::Quiet;
    const auto before = size_t(roomAround ? std::max(0, condition.roomBeforeMs() - marginMs) : 0);
    const int after = roomAround ? condition.roomAfterMs() : 0;
    return [before, after, releaseMs](size_t fileSamples) {
        const auto end = qint64(fileSamples) + qint64(releaseMs - after) * 16;
        return std::pair<size_t, size_t>{before * 16, size_t(std::max<qint64>(0, end))};
    };
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    bool heldOut = false;
    bool verbose = false;
    bool dump = false;
    int releaseMs = 300;
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
        } else if (argument == QLatin1String("-r") && i + 1 < arguments.size()) {
            releaseMs = arguments[++i].toInt();
        } else if (argument == QLatin1String("-x") && i + 1 < arguments.size()) {
            const QString& variant = arguments[++i];
            options.recognizer.pronunciations.removeIf(
                [&](const QPair<QString, QString>& p) { return p.first == variant; });
        } else if (argument == QLatin1String("-l") && i + 1 < arguments.size()) {
            options.recognizer.garbageSoundAlike = arguments[++i].toInt();
        } else if (argument == QLatin1String("-g") && i + 1 < arguments.size()) {
            options.recognizer.endpoint.speakerGoneDb = arguments[++i].toDouble();
        } else if (argument == QLatin1String("-d")) {
            dump = true;
        } else if (argument == QLatin1String("-n")) {
            options.recognizer.rivalsBelowDb = qv::noRival;
            options.recognizer.judge.minOtherCommandGap = -qv::noRival;
            options.recognizer.judge.minNoCommandGap = -qv::noRival;
        } else if (argument == QLatin1String("-v")) {
            verbose = true;
        } else {
            wanted << argument;
        }
    }
    std::vector<qvspeech::Utterance> commands;
    std::vector<qvspeech::Utterance> others;
    QString error;
    if (!qvspeech::synthesizeCorpus(&commands, &others, &error, heldOut)) {
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
    qvspeech::ModelAlone alone;
    if (!alone.start(&error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    std::printf("%-26s %7s %7s %7s %9s %8s\n", "condition", "right%", "wrong%", "missed%",
                "rejected%", "alone%");
    auto row = [](const QString& name, const qvspeech::Rates& r, double alonePct) {
        std::printf("%-26s %7.1f %7.1f %7.1f %9.1f %8.1f\n", qPrintable(name), r.correctPct(),
                    r.wrongPct(), r.missedPct(), r.rejectedPct(), alonePct);
        std::fflush(stdout);
    };
    qvspeech::Rates all;
    qvspeech::Rates allPressed;
    int aloneRight = 0;
    for (const qvspeech::Condition& condition : qvspeech::roomConditions()) {
        if (!wanted.isEmpty() && !wanted.contains(condition.id)) {
            continue;
        }
        std::vector<qvspeech::Utterance> heardCommands;
        std::vector<qvspeech::Utterance> heardOthers;
        std::vector<qvspeech::Outcome> commandOutcomes;
        std::vector<qvspeech::Outcome> otherOutcomes;
        std::vector<qvspeech::Outcome> pressedOutcomes;
        std::vector<qvspeech::Outcome> unpressedOutcomes;
        // Push to talk: each command said while the key is held, the other speech without it.
        const int silence = condition.trailingSilenceMs();
        if (!qvspeech::underCondition(condition, commands, &heardCommands, &error) ||
            !qvspeech::underCondition(condition, others, &heardOthers, &error) ||
            !qvspeech::recognizeAll(heardCommands, options, &commandOutcomes, &error, silence) ||
            !qvspeech::recognizeAll(heardOthers, options, &otherOutcomes, &error, silence) ||
            !qvspeech::recognizeAll(heardCommands, options, &pressedOutcomes, &error, silence,
                                    qvspeech::TalkKey::EachFile,
                                    pressAround(condition, releaseMs)) ||
            !qvspeech::recognizeAll(heardOthers, options, &unpressedOutcomes, &error, silence,
                                    qvspeech::TalkKey::Never)) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(condition.id), qPrintable(error));
            return 1;
        }
        QStringList aloneHeard;
        const int right = alone.right(heardCommands, &aloneHeard);
        const double alonePct = 100.0 * right / std::max<size_t>(1, heardCommands.size());
        const qvspeech::Rates r = qvspeech::rates(commandOutcomes, otherOutcomes);
        const qvspeech::Rates pressed = qvspeech::rates(pressedOutcomes, unpressedOutcomes);
        row(condition.id, r, alonePct);
        row(QStringLiteral("  push to talk"), pressed, alonePct);
        if (dump) {
            auto print = [&](const char* kind, const std::vector<qvspeech::Outcome>& list) {
                for (const qvspeech::Outcome& o : list) {
                    const char* result = o.correct() ? "right" : o.wrongLaunch() ? "wrong" : "none";
                    // One line even for an utterance that raised nothing, so that every
                    // utterance is counted.
                    std::vector<qv::UtteranceReport> reports = o.reports;
                    if (reports.empty()) {
                        reports.emplace_back();
                    }
                    for (const qv::UtteranceReport& u : reports) {
                        std::printf(
                            "D\t%s\t%s\t%s\t%s\t%s\t%s\t%d\t%.2f\t%d\t%d\t%.1f"
                            "\t%.2f\t%.2f\t%s\t%.1f\t%d\t%d\t%.3f\n",
                            qPrintable(condition.id), kind, qPrintable(o.utterance.voice),
                            qPrintable(o.utterance.text), result, qPrintable(u.heard.hypothesis),
                            u.accepted ? 1 : 0, u.heard.shortestFramesPerPhone, u.grammarScore,
                            u.frames, 1000 * u.decodeSeconds, u.heard.otherCommandGap,
                            u.heard.noCommandGap, qPrintable(o.utterance.wav), u.speechOverRoomDb,
                            u.trimmed ? 1 : 0, u.leadIn ? 1 : 0, u.heard.loudOutsideWords);
                    }
                }
            };
            // Beside the pipeline's report, so that what it loses can be told utterance by
            // utterance.
            for (qsizetype i = 0; i < aloneHeard.size(); ++i) {
                const qvspeech::Utterance& u = heardCommands[size_t(i)];
                std::printf("A\t%s\t%s\t%s\t%s\t%s\n", qPrintable(condition.id),
                            qPrintable(u.voice), qPrintable(u.text), qPrintable(aloneHeard[i]),
                            qPrintable(u.wav));
            }
            print("cmd", commandOutcomes);
            print("other", otherOutcomes);
            print("pressed", pressedOutcomes);
        }
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
        all += r;
        allPressed += pressed;
        aloneRight += right;
    }
    const double alonePct = 100.0 * aloneRight / std::max(1, all.commands);
    row(QStringLiteral("all conditions"), all, alonePct);
    row(QStringLiteral("  push to talk"), allPressed, alonePct);
    return 0;
}
