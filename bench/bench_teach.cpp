// SPDX-License-Identifier: GPL-3.0-or-later
// Button edits of the editor window on a tab with many buttons, through the real profile engine
// on a real file (message boxes and starts are fakes).
#include "platform/dialogs/messagebox.h"
#include "platform/services.h"
#include "platform/shell/shell.h"
#include "teach/frmdrop.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

void writeMenu(const QString& path, int buttons) {
    QByteArray bytes = "[Settings]\r\nNumber of tabs=1\r\nTab1=Many\r\n[Tab 1]\r\n";
    bytes += "Number of Buttons=" + QByteArray::number(buttons) + "\r\n";
    for (int b = 1; b <= buttons; ++b) {
        bytes += "Button " + QByteArray::number(b) + "=/opt/apps/Program" + QByteArray::number(b) +
                 "/Program" + QByteArray::number(b) + ".exe\r\n";
    }
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
}

struct Editor {
    QTemporaryDir dir;
    qv::FakeMessageBox box;
    qv::FakeShell shell;
    std::unique_ptr<frmdrop> w;
    QString ini() const { return QDir(dir.path()).filePath(QStringLiteral("qv.ini")); }
    void open() {
        qv::Services services;
        services.shell = &shell;
        services.messages = &box;
        w = std::make_unique<frmdrop>(services, dir.path());
        w->Form_Load();
    }
};

// A right press on button 1 of state.range(0): the key is deleted, the later keys move down one
// number, the count is written, and the first page is built again.
void BM_DeleteFirst(benchmark::State& state) {
    Editor e;
    const qv::FakeMessageBox& box = e.box;
    for (auto _ : state) {
        state.PauseTiming();
        writeMenu(e.ini(), static_cast<int>(state.range(0)));
        e.open();
        state.ResumeTiming();
        e.w->cmdapplau_MouseDown(1, Qt::RightButton, Qt::NoModifier, 0, 0);
    }
    if (!box.messages.empty()) {
        state.SkipWithError("a message was shown");
    }
}
BENCHMARK(BM_DeleteFirst)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);

// "&Add Button" for a dropped program on a tab that already holds state.range(0) buttons.
void BM_AddButton(benchmark::State& state) {
    Editor e;
    const qv::FakeMessageBox& box = e.box;
    writeMenu(e.ini(), static_cast<int>(state.range(0)));
    e.open();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/opt/apps/New/New.exe"))});
    for (auto _ : state) {
        state.PauseTiming();
        e.w->Image1_OLEDragDrop(&data);
        state.ResumeTiming();
        e.w->cmdaddbutt_Click();
    }
    // The program's path is the one message each add shows.
    if (static_cast<benchmark::IterationCount>(box.messages.size()) != state.iterations()) {
        state.SkipWithError("unexpected messages");
    }
}
BENCHMARK(BM_AddButton)->Arg(5)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
