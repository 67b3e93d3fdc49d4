// SPDX-License-Identifier: GPL-3.0-or-later
// ReadKey and WriteKey on menus of the sizes a school builds: ten tabs of a hundred buttons, and
// one tab of a thousand.
#include "common/menulayout.h"
#include "common/modini.h"
#include "platform/dialogs/messagebox.h"
#include "platform/profile/profile.h"
#include "platform/profile/profile_engine.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <string>

namespace {

// A benchmark shows no dialog: the messages are only recorded.
qv::FakeMessageBox noDialogs;

// A menu of `tabs` tabs with `buttons` buttons each, in the layout the editor writes.
QByteArray menu(int tabs, int buttons) {
    QByteArray out = "[Settings]\r\nNumber of tabs=" + QByteArray::number(tabs) + "\r\n";
    for (int t = 1; t <= tabs; ++t) {
        out += "Tab" + QByteArray::number(t) + "=Tab number " + QByteArray::number(t) + "\r\n";
    }
    for (int t = 1; t <= tabs; ++t) {
        out += "[Tab " + QByteArray::number(t) + "]\r\n";
        for (int b = 1; b <= buttons; ++b) {
            out += "Button " + QByteArray::number(b) + "=/home/teacher/Desktop/Programs/Program " +
                   QByteArray::number(t * 1000 + b) + ".lnk\r\n";
        }
        out += "Number of Buttons=" + QByteArray::number(buttons) + "\r\n";
    }
    return out;
}

struct MenuFile {
    MenuFile(int tabs, int buttons) {
        path = dir.filePath("qv.ini");
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(menu(tabs, buttons)) < 0) {
            path.clear();
        }
    }
    QTemporaryDir dir;
    QString path;
};

// Args: tabs, buttons per tab. The last button of the last tab is the farthest from the start.
void BM_ReadKey(benchmark::State& state) {
    const int tabs = static_cast<int>(state.range(0));
    const int buttons = static_cast<int>(state.range(1));
    MenuFile file(tabs, buttons);
    if (file.path.isEmpty()) {
        state.SkipWithError("cannot write the menu");
        return;
    }
    const QString section = qv::tabSection(tabs);
    const QString key = qv::buttonKey(buttons);
    for (auto _ : state) {
        qv::ProfileValue v = qv::ReadKey(file.path, section, key, noDialogs);
        benchmark::DoNotOptimize(v);
    }
    state.counters["file_bytes"] = static_cast<double>(QFile(file.path).size());
}
BENCHMARK(BM_ReadKey)->Args({10, 100})->Args({1, 1000})->Unit(benchmark::kMicrosecond);

// A button in the first tab: the lookup stops early, the file is still read whole.
void BM_ReadKeyFirstTab(benchmark::State& state) {
    MenuFile file(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        qv::ProfileValue v = qv::ReadKey(file.path, qv::tabSection(1), qv::buttonKey(1), noDialogs);
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(BM_ReadKeyFirstTab)->Args({10, 100})->Args({1, 1000})->Unit(benchmark::kMicrosecond);

// Each write changes the value, so each one is a real atomic replacement with fsync.
void BM_WriteKey(benchmark::State& state) {
    const int tabs = static_cast<int>(state.range(0));
    const int buttons = static_cast<int>(state.range(1));
    MenuFile file(tabs, buttons);
    const QString section = qv::tabSection(tabs);
    const QString key = qv::buttonKey(buttons);
    int i = 0;
    for (auto _ : state) {
        const std::int16_t r = qv::WriteKey(file.path, section, key,
                                            QStringLiteral("/x/%1.lnk").arg(++i % 2), noDialogs);
        if (r != 1) {
            state.SkipWithError("write failed");
            break;
        }
    }
}
BENCHMARK(BM_WriteKey)->Args({10, 100})->Args({1, 1000})->Unit(benchmark::kMicrosecond);

// The same write with the engine's in-memory edit only (no file I/O): what the fsync costs.
void BM_EngineEdit(benchmark::State& state) {
    const std::string bytes =
        menu(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))).toStdString();
    const std::string section = "Tab " + std::to_string(state.range(0));
    const std::string key = "Button " + std::to_string(state.range(1));
    for (auto _ : state) {
        auto r = qv::profile::applyWrite(bytes, section, key, std::string_view("/x/1.lnk"));
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_EngineEdit)->Args({10, 100})->Args({1, 1000})->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
