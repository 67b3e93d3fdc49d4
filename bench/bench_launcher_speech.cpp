// Quorvel Student's resident memory with speech loaded (target <= 120 MB): the launcher window
// on a small menu, with the installed recognizer chosen, its grammar loaded, listening, and a
// spoken command pressing a button. A program of its own, so that the peak is the launcher's
// and not that of other benchmarks run before it.
#include "bench/resident.h"
#include "bench/speech/speech_corpus.h"
#include "platform/character.h"
#include "platform/messagebox.h"
#include "platform/services.h"
#include "platform/shell.h"
#include "platform/speech.h"
#include "platform/speech_pocketsphinx.h"
#include "student/frmstudent.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// Choosing the recognizer, listening, "button two" heard and its button pressed, listening
// stopped: the time of one round; the counters are resident memory at the end and at the peak.
void BM_LauncherSpeechLoaded(benchmark::State& state) {
    QTemporaryDir dir;
    QByteArray text =
        "[Settings]\r\nNumber of tabs=1\r\nTab1=A\r\n[Tab 1]\r\nNumber of Buttons=10\r\n";
    for (int b = 1; b <= 10; ++b) {
        text += "Button " + QByteArray::number(b) + "=/usr/bin/true\r\n";
    }
    writeFile(QDir(dir.path()).filePath("qv.ini"), text);
    QFile::copy(QStringLiteral(QV_SOURCE_DIR "/data/ordergrammar.xml"),
                QDir(dir.path()).filePath("ordergrammar.xml"));
    std::vector<qvspeech::Utterance> clips;
    QString error;
    if (!qvspeech::synthesize({QStringLiteral("button two")}, {qvspeech::commandVoices()[0]},
                              QStringLiteral("cmd"), &clips, &error)) {
        state.SkipWithError(qPrintable(error));
        return;
    }
    qv::WavFileInput* wav = nullptr;
    qv::SpeechServiceOptions options;
    options.audioInput = [&wav] {
        auto input = std::make_unique<qv::WavFileInput>();
        wav = input.get();
        return input;
    };
    const auto speech = qv::createPocketSphinxService(options);
    qv::ScopedFakeMessageBox box;
    qv::FakeShell shell;
    qv::FakeCharacter character;
    qv::Services services{&shell, &character, speech.get()};
    frmstudent w(services, dir.path());
    w.Form_Load();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        shell.starts.clear();
        w.cmbEngines->setCurrentIndex(0);
        w.cmbEngines_Click();
        w.cmdStartReco_Click();
        if (w.cmdStartReco->text() != "Stop Recognition" || !wav ||
            !wav->enqueue(clips[0].wav, &error)) {
            state.SkipWithError("the launcher did not start listening");
            return;
        }
        QElapsedTimer timer;
        timer.start();
        while (shell.starts.empty() && timer.elapsed() < 10000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        w.cmdStartReco_Click();
        if (shell.starts.empty()) {
            state.SkipWithError("\"button two\" pressed nothing");
            return;
        }
    }
    state.counters["rss_mb"] = qvbench::residentMb("VmRSS:");
    state.counters["peak_mb"] = qvbench::residentMb("VmHWM:");
}
BENCHMARK(BM_LauncherSpeechLoaded)->Unit(benchmark::kMillisecond)->Iterations(3);

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
