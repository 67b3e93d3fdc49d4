// SPDX-License-Identifier: GPL-3.0-or-later
// Quorvel Student's resident memory with speech loaded (target <= 120 MB): the launcher window
// on a small menu, with the installed recognizer chosen, its grammar loaded, listening, and a
// spoken command pressing a button; then a pupil's voice learnt, when a second decoder is built
// beside it for each warp tried. A program of its own, so that the peak is the launcher's and
// not that of other benchmarks run before it.
#include "bench/resident.h"
#include "bench/speech/speech_corpus.h"
#include "character/character.h"
#include "platform/dialogs/messagebox.h"
#include "platform/recognizer/pocketsphinx.h"
#include "platform/services.h"
#include "platform/shell/shell.h"
#include "speech/service.h"
#include "student/frmstudent.h"
#include "student/frmvoice.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <functional>
#include <limits>

namespace {

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// A launcher on a menu of ten buttons in a folder of its own, with the real recognizer and
// fakes for the rest, its voice file in that folder too; the WAV input it listens to in wav.
struct SpeakingLauncher {
    explicit SpeakingLauncher(const QStringList& phrases) {
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir.path()));
        QByteArray text =
            "[Settings]\r\nNumber of tabs=1\r\nTab1=A\r\n[Tab 1]\r\nNumber of Buttons=10\r\n";
        for (int b = 1; b <= 10; ++b) {
            text += "Button " + QByteArray::number(b) + "=/usr/bin/true\r\n";
        }
        writeFile(QDir(dir.path()).filePath("qv.ini"), text);
        QFile::copy(QStringLiteral(QV_SOURCE_DIR "/data/ordergrammar.xml"),
                    QDir(dir.path()).filePath("ordergrammar.xml"));
        if (!qvspeech::synthesize(phrases, {qvspeech::commandVoices()[0]}, QStringLiteral("cmd"),
                                  &clips, &error)) {
            return;
        }
        qv::SpeechServiceOptions options;
        options.audioInput = [this] {
            auto input = std::make_unique<qv::WavFileInput>();
            wav = input.get();
            return input;
        };
        speech = qv::createPocketSphinxService(options);
        services.speech = speech.get();
        window = std::make_unique<frmstudent>(services, dir.path());
        window->Form_Load();
        QCoreApplication::processEvents();
    }

    QTemporaryDir dir;
    std::vector<qvspeech::Utterance> clips;
    QString error;
    qv::WavFileInput* wav = nullptr;
    std::unique_ptr<qv::SpeechService> speech;
    qv::FakeMessageBox box;
    qv::FakeShell shell;
    qv::FakeCharacter character;
    qv::Services services{
        .shell = &shell, .character = &character, .messages = &box, .menuPath = {}};
    std::unique_ptr<frmstudent> window;
};

// Runs the events until done or 30 s have passed.
bool waitFor(const std::function<bool()>& done) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 30000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return done();
}

// Choosing the recognizer, listening, "button two" heard and its button pressed, listening
// stopped: the time of one round; the counters are resident memory at the end and at the peak.
void BM_LauncherSpeechLoaded(benchmark::State& state) {
    SpeakingLauncher l({QStringLiteral("button two")});
    if (!l.window) {
        state.SkipWithError(qPrintable(l.error));
        return;
    }
    frmstudent& w = *l.window;
    for (auto _ : state) {
        l.shell.starts.clear();
        w.cmbEngines->setCurrentIndex(0);
        w.cmbEngines_Click();
        w.cmdStartReco_Click();
        if (w.cmdStartReco->text() != "Stop Recognition" || !l.wav ||
            !l.wav->enqueue(l.clips[0].wav, &l.error)) {
            state.SkipWithError("the launcher did not start listening");
            return;
        }
        waitFor([&] { return !l.shell.starts.empty(); });
        w.cmdStartReco_Click();
        if (l.shell.starts.empty()) {
            state.SkipWithError("\"button two\" pressed nothing");
            return;
        }
    }
    // The csv report takes its columns from the first run: every run names the same counters.
    state.counters["choice_s"] = std::numeric_limits<double>::quiet_NaN(); // no voice learnt here
    state.counters["rss_mb"] = qvbench::residentMb("VmRSS:");
    state.counters["peak_mb"] = qvbench::residentMb("VmHWM:");
}
BENCHMARK(BM_LauncherSpeechLoaded)->Unit(benchmark::kMillisecond)->Iterations(3);

// Speech > Learn my voice...: the ten commands said, the warps tried, the window closed and the
// recognizer built anew with the voice. The time of one round; choice_s: from the last command
// to the voice chosen (the pupil waits that long); the resident memory at the end and the peak.
void BM_LauncherLearnsAVoice(benchmark::State& state) {
    SpeakingLauncher l(qvspeech::commandPhrases());
    if (!l.window || l.clips.size() != 10) {
        state.SkipWithError(qPrintable(l.error));
        return;
    }
    frmstudent& w = *l.window;
    w.cmbEngines->setCurrentIndex(0);
    w.cmbEngines_Click();
    double choiceSeconds = 0;
    for (auto _ : state) {
        w.mnuLearnVoice->trigger();
        auto* dialog = w.findChild<frmvoice*>();
        if (!dialog || !l.wav || !w.oRC()) {
            state.SkipWithError("no voice window");
            return;
        }
        QElapsedTimer sinceLast;
        QObject::connect(w.oRC(), &qv::RecognitionContext::EnrolmentHeard, dialog,
                         [&sinceLast] { sinceLast.start(); });
        QObject::connect(w.oRC(), &qv::RecognitionContext::VoiceChosen, dialog,
                         [&] { choiceSeconds += sinceLast.nsecsElapsed() / 1e9; });
        for (const qvspeech::Utterance& clip : l.clips) {
            l.wav->enqueue(clip.wav);
        }
        if (!waitFor([&] { return dialog->chosenWarp() > 0; })) {
            state.SkipWithError("no voice was chosen");
            return;
        }
        dialog->accept();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    state.counters["choice_s"] = choiceSeconds / double(state.iterations());
    state.counters["rss_mb"] = qvbench::residentMb("VmRSS:");
    state.counters["peak_mb"] = qvbench::residentMb("VmHWM:");
}
BENCHMARK(BM_LauncherLearnsAVoice)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
