// SPDX-License-Identifier: GPL-3.0-or-later
// What a pupil's machine waits for when the menu lives on a file server: one button's read and
// the reads of a page turn (the count and ten buttons), through the share mounted at
// QV_BENCH_SHARE (scripts/bench mounts a local Samba share there when it can).
#include "common/menulayout.h"
#include "common/modini.h"
#include "platform/dialogs/messagebox.h"

#include <QFile>
#include <benchmark/benchmark.h>

namespace {

// A benchmark shows no dialog: the messages are only recorded.
qv::FakeMessageBox noDialogs;

QString menuOnShare() {
    const QString folder = qEnvironmentVariable("QV_BENCH_SHARE");
    if (folder.isEmpty()) {
        return {};
    }
    const QString path = folder + QStringLiteral("/qv.ini");
    QByteArray text = "[Settings]\r\nNumber of tabs=2\r\nTab1=Writing\r\nTab2=Games\r\n[Tab 1]\r\n"
                      "Number of Buttons=25\r\n";
    for (int m = 1; m <= 25; ++m) {
        text += "Button " + QByteArray::number(m) + "=/home/teacher/Programs/Program " +
                QByteArray::number(m) + ".lnk\r\n";
    }
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(text) == text.size()
               ? path
               : QString();
}

void BM_ShareReadOneButton(benchmark::State& state) {
    const QString path = menuOnShare();
    if (path.isEmpty()) {
        state.SkipWithError("no share mounted (QV_BENCH_SHARE)");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            qv::ReadKey(path, qv::tabSection(1), qv::buttonKey(17), noDialogs));
    }
}
BENCHMARK(BM_ShareReadOneButton)->Unit(benchmark::kMillisecond);

// The reads of ">>" from page 1 to page 2: the count, then buttons 11 to 20.
void BM_SharePageFlipReads(benchmark::State& state) {
    const QString path = menuOnShare();
    if (path.isEmpty()) {
        state.SkipWithError("no share mounted (QV_BENCH_SHARE)");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            qv::ReadKey(path, qv::tabSection(1), qv::kNumberOfButtonsRead, noDialogs));
        for (int m = 11; m <= 20; ++m) {
            benchmark::DoNotOptimize(
                qv::ReadKey(path, qv::tabSection(1), qv::buttonKey(m), noDialogs));
        }
    }
}
BENCHMARK(BM_SharePageFlipReads)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
