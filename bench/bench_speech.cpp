// SPDX-License-Identifier: GPL-3.0-or-later
// Speech: time from the end of an utterance to its Recognition on the user-interface thread
// (microphone pace), in quiet and with children talking behind without a pause; decode
// real-time factor, resident memory with speech loaded; then the
// accuracy and rejection rates on the synthesized corpus, printed as
// "speech_correct_pct <n>" and "speech_rejected_pct <n>" for scripts/bench.
#include "bench/resident.h"
#include "bench/speech/speech_rooms.h"
#include "bench/speech/speech_runner.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>

namespace {

std::vector<qvspeech::Utterance> commands;

qint64 steadyNs() {
    return std::chrono::steady_clock::now().time_since_epoch().count();
}

struct Live {
    std::unique_ptr<qv::SpeechService> service;
    std::unique_ptr<qv::RecognitionContext> context;
    qv::WavFileInput* wav = nullptr;
};

bool start(Live* live, bool realTime, int trailingSilenceMs = 800) {
    qv::SpeechServiceOptions options;
    options.audioInput = [live, realTime, trailingSilenceMs] {
        auto input = std::make_unique<qv::WavFileInput>();
        input->realTime = realTime;
        input->trailingSilenceMs = trailingSilenceMs;
        live->wav = input.get();
        return input;
    };
    live->service = qv::createPocketSphinxService(options);
    qv::SpeechError error;
    live->context = live->service->createContext(0, &error);
    return live->context && live->context->loadGrammar(qvspeech::grammarFile(), &error) &&
           live->context->setRulesActive(true, &error);
}

void BM_SpeechEndToRecognition(benchmark::State& state) {
    Live live;
    if (!start(&live, true)) {
        state.SkipWithError("no recognizer");
        return;
    }
    std::atomic<qint64> endNs{0};
    live.wav->onFileDelivered = [&](const QString&) { endNs = steadyNs(); };
    qint64 eventNs = 0;
    QObject::connect(live.context.get(), &qv::RecognitionContext::Recognition,
                     [&] { eventNs = steadyNs(); });
    QObject::connect(live.context.get(), &qv::RecognitionContext::FalseRecognition,
                     [&] { eventNs = steadyNs(); });
    size_t next = 0;
    for (auto _ : state) {
        eventNs = 0;
        endNs = 0;
        live.wav->enqueue(commands[next++ % commands.size()].wav);
        QElapsedTimer timer;
        timer.start();
        while (eventNs == 0 && timer.elapsed() < 10000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        const double seconds = eventNs && endNs ? double(eventNs - endNs) / 1e9 : 10.0;
        state.SetIterationTime(seconds);
        while (!live.wav->drained()) {
            QThread::msleep(5);
        }
        QCoreApplication::processEvents();
    }
    // The CSV report needs the same counters in every benchmark of the program.
    state.counters["rss_mb"] = qvbench::residentMb();
    state.counters["rtf"] = 0; // paced at the microphone's speed: see BM_SpeechDecode
    state.counters["missed"] = 0;
}
BENCHMARK(BM_SpeechEndToRecognition)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(22);

// The end of the speaker's words heard against the talk behind them: talk that goes on for half
// a second after the speaker and then stops, or a room that never falls silent (each file holds
// the room for a while after the speaker; the next follows at once).
void BM_SpeechEndToRecognitionInTalk(benchmark::State& state, const char* conditionName) {
    qvspeech::Condition room;
    for (const qvspeech::Condition& condition : qvspeech::roomConditions()) {
        room = condition.id == QLatin1String(conditionName) ? condition : room;
    }
    std::vector<qvspeech::Utterance> heard;
    QString error;
    if (room.id.isEmpty() || !qvspeech::underCondition(room, commands, &heard, &error)) {
        state.SkipWithError("no such condition");
        return;
    }
    Live live;
    if (!start(&live, true, room.trailingSilenceMs())) {
        state.SkipWithError("no recognizer");
        return;
    }
    std::atomic<qint64> fileEndNs{0};
    live.wav->onFileDelivered = [&](const QString&) { fileEndNs = steadyNs(); };
    qint64 recognitionNs = 0;
    QObject::connect(live.context.get(), &qv::RecognitionContext::Recognition,
                     [&] { recognitionNs = recognitionNs ? recognitionNs : steadyNs(); });
    const qint64 afterSpeakerNs = qint64(room.roomAfterMs()) * 1000000;
    size_t next = 0;
    int missed = 0;
    for (auto _ : state) {
        // A command that is not heard at all has no delay: the next one is measured instead
        // and the miss counted.
        do {
            recognitionNs = 0;
            fileEndNs = 0;
            live.wav->enqueue(heard[next++ % heard.size()].wav);
            while (fileEndNs == 0) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            }
            // Where the room falls silent after the file, the event may come in that silence.
            while (recognitionNs == 0 && !live.wav->drained()) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            }
            QCoreApplication::processEvents();
            missed += recognitionNs ? 0 : 1;
        } while (recognitionNs == 0 && missed < 100);
        const qint64 speakerEndNs = fileEndNs - afterSpeakerNs;
        state.SetIterationTime(double(std::max<qint64>(0, recognitionNs - speakerEndNs)) / 1e9);
    }
    state.counters["missed"] = missed;
    state.counters["rss_mb"] = qvbench::residentMb();
    state.counters["rtf"] = 0;
}
BENCHMARK_CAPTURE(BM_SpeechEndToRecognitionInTalk, TalkAfterSpeaker, "babble-20dB")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(12);
BENCHMARK_CAPTURE(BM_SpeechEndToRecognitionInTalk, TalkNeverStops, "babble-20dB-never-stops")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(12);

void BM_SpeechDecode(benchmark::State& state) {
    Live live;
    if (!start(&live, false)) {
        state.SkipWithError("no recognizer");
        return;
    }
    state.counters["rss_mb"] = qvbench::residentMb();
    double audio = 0;
    double wall = 0;
    size_t next = 0;
    for (auto _ : state) {
        const qvspeech::Utterance& u = commands[next++ % commands.size()];
        QElapsedTimer timer;
        timer.start();
        live.wav->enqueue(u.wav);
        while (!live.wav->drained()) {
            QThread::usleep(200);
        }
        wall += timer.nsecsElapsed() / 1e9;
        std::vector<qint16> samples;
        qv::readWav16kMono(u.wav, &samples, nullptr);
        audio += double(samples.size()) / 16000 + live.wav->trailingSilenceMs / 1000.0;
        QCoreApplication::processEvents();
    }
    state.counters["rtf"] = audio > 0 ? wall / audio : 0;
    state.counters["missed"] = 0;
    state.counters["rss_mb"] = std::max(double(state.counters["rss_mb"]), qvbench::residentMb());
}
BENCHMARK(BM_SpeechDecode)->Unit(benchmark::kMillisecond)->Iterations(44);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::vector<qvspeech::Utterance> others;
    QString error;
    if (!qvspeech::synthesizeCorpus(&commands, &others, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::vector<qvspeech::Outcome> commandOutcomes;
    std::vector<qvspeech::Outcome> otherOutcomes;
    if (!qvspeech::recognizeAll(commands, {}, &commandOutcomes, &error) ||
        !qvspeech::recognizeAll(others, {}, &otherOutcomes, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    const qvspeech::Rates r = qvspeech::rates(commandOutcomes, otherOutcomes);
    std::printf("speech_correct_pct %.1f\nspeech_rejected_pct %.1f\n", r.correctPct(),
                r.rejectedPct());
    return 0;
}
