// Speech: time from the end of an utterance to its Recognition on the user-interface thread
// (microphone pace), decode real-time factor, resident memory with speech loaded; then the
// accuracy and rejection rates on the synthesized corpus, printed as
// "speech_correct_pct <n>" and "speech_rejected_pct <n>" for scripts/bench.
#include "bench/resident.h"
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

struct Live {
    std::unique_ptr<qv::SpeechService> service;
    std::unique_ptr<qv::RecognitionContext> context;
    qv::WavFileInput* wav = nullptr;
};

bool start(Live* live, bool realTime) {
    qv::SpeechServiceOptions options;
    options.audioInput = [live, realTime] {
        auto input = std::make_unique<qv::WavFileInput>();
        input->realTime = realTime;
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
    live.wav->onFileDelivered = [&](const QString&) {
        endNs = std::chrono::steady_clock::now().time_since_epoch().count();
    };
    qint64 eventNs = 0;
    QObject::connect(live.context.get(), &qv::RecognitionContext::Recognition, [&] {
        eventNs = std::chrono::steady_clock::now().time_since_epoch().count();
    });
    QObject::connect(live.context.get(), &qv::RecognitionContext::FalseRecognition, [&] {
        eventNs = std::chrono::steady_clock::now().time_since_epoch().count();
    });
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
}
BENCHMARK(BM_SpeechEndToRecognition)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(22);

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
