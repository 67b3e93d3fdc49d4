// SPDX-License-Identifier: GPL-3.0-or-later
// The menu file at the sizes a school reaches and beyond: reading a key of a 1000-button tab,
// the editor's add and its delete of button 1 of 1000 (999 renames, every write atomic), and
// hostile files (one huge line, a million sections) read in time linear in their size.
#include "common/menulayout.h"
#include "common/modini.h"
#include "platform/dialogs/messagebox.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <utility>
#include <vector>

namespace {

// A benchmark shows no dialog: the messages are only recorded.
qv::FakeMessageBox noDialogs;

QByteArray menuWithButtons(int buttons) {
    QByteArray text = "[Settings]\r\nNumber of tabs=2\r\nTab1=Big\r\nTab2=Small\r\n[Tab 1]\r\n"
                      "Number of Buttons=" +
                      QByteArray::number(buttons) + "\r\n";
    for (int m = 1; m <= buttons; ++m) {
        text += "Button " + QByteArray::number(m) + "=/usr/share/applications/program-" +
                QByteArray::number(m) + ".desktop\r\n";
    }
    text += "[Tab 2]\r\nNumber of Buttons=1\r\nButton 1=/usr/bin/xterm\r\n";
    return text;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

struct Menu {
    explicit Menu(const QByteArray& bytes) : path(dir.filePath("qv.ini")) {
        writeFile(path, bytes);
    }
    QTemporaryDir dir;
    QString path;
};

// The launcher's read of the last button of a 1000-button tab (the worst key to find).
void BM_ReadKey_1000ButtonMenu(benchmark::State& state) {
    Menu menu(menuWithButtons(1000));
    const QString section = qv::tabSection(1);
    const QString key = qv::buttonKey(1000);
    for (auto _ : state) {
        benchmark::DoNotOptimize(qv::ReadKey(menu.path, section, key, noDialogs));
    }
}
BENCHMARK(BM_ReadKey_1000ButtonMenu)->Unit(benchmark::kMicrosecond);

// The first half of the editor's delete of button 1 of a restored 1000-button tab (the restore
// not timed): read the count and delete the button; the count read.
int deleteFirstButton(benchmark::State& state, const Menu& menu, const QByteArray& original,
                      const QString& section) {
    state.PauseTiming();
    writeFile(menu.path, original);
    state.ResumeTiming();
    const int count =
        qv::parseCount(qv::ReadKey(menu.path, section, qv::kNumberOfButtonsRead, noDialogs)
                           .value_or(QString()))
            .value;
    qv::DeleteKey(menu.path, section, qv::buttonKey(1), noDialogs);
    return count;
}

// The editor's delete of button 1 of 1000: DeleteKey, the 999 later buttons moved down in one
// RenameKeys, the new count.
void BM_DeleteButton1Of1000(benchmark::State& state) {
    Menu menu(menuWithButtons(1000));
    const QByteArray original = menuWithButtons(1000);
    const QString section = qv::tabSection(1);
    for (auto _ : state) {
        const int count = deleteFirstButton(state, menu, original, section);
        std::vector<std::pair<QString, QString>> renames;
        for (int k = 2; k <= count; ++k) {
            renames.emplace_back(qv::buttonKey(k), qv::buttonKey(k - 1));
        }
        if (qv::RenameKeys(menu.path, section, renames, noDialogs) != count - 1) {
            state.SkipWithError("the renames failed");
            break;
        }
        qv::WriteKey(menu.path, section, qv::kNumberOfButtonsWrite, QString::number(count - 1),
                     noDialogs);
    }
}
BENCHMARK(BM_DeleteButton1Of1000)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same delete with one RenameKey a button, each its own atomic write with two flushes: what
// moving the buttons in one write saves.
void BM_DeleteButton1Of1000_OneWriteAKey(benchmark::State& state) {
    Menu menu(menuWithButtons(1000));
    const QByteArray original = menuWithButtons(1000);
    const QString section = qv::tabSection(1);
    for (auto _ : state) {
        const int count = deleteFirstButton(state, menu, original, section);
        for (int k = 2; k <= count; ++k) {
            qv::RenameKey(menu.path, section, qv::buttonKey(k), qv::buttonKey(k - 1), noDialogs);
        }
        qv::WriteKey(menu.path, section, qv::kNumberOfButtonsWrite, QString::number(count - 1),
                     noDialogs);
    }
}
BENCHMARK(BM_DeleteButton1Of1000_OneWriteAKey)->Unit(benchmark::kMillisecond)->Iterations(3);

// The editor's add to a 1000-button tab: read the count, write the button, write the count.
void BM_AddButtonTo1000(benchmark::State& state) {
    Menu menu(menuWithButtons(1000));
    const QString section = qv::tabSection(1);
    for (auto _ : state) {
        const int count =
            qv::parseCount(qv::ReadKey(menu.path, section, qv::kNumberOfButtonsRead, noDialogs)
                               .value_or(QString()))
                .value;
        qv::WriteKey(menu.path, section, qv::buttonKey(count + 1), "/usr/bin/xterm", noDialogs);
        qv::WriteKey(menu.path, section, qv::kNumberOfButtonsWrite, QString::number(count + 1),
                     noDialogs);
        state.PauseTiming();
        qv::DeleteKey(menu.path, section, qv::buttonKey(count + 1), noDialogs);
        qv::WriteKey(menu.path, section, qv::kNumberOfButtonsWrite, QString::number(count),
                     noDialogs);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddButtonTo1000)->Unit(benchmark::kMillisecond);

// One line of n megabytes before the menu: a read after it costs time in proportion to n.
void BM_ReadKey_AfterHugeLine(benchmark::State& state) {
    const qint64 megabytes = state.range(0);
    QByteArray text = "[Settings]\r\nJunk=";
    text += QByteArray(static_cast<qsizetype>(megabytes) << 20, 'A');
    text += "\r\n[Tab 1]\r\nNumber of Buttons=3\r\n";
    Menu menu(text);
    text.clear();
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            qv::ReadKey(menu.path, qv::tabSection(1), qv::kNumberOfButtonsRead, noDialogs));
    }
    state.SetBytesProcessed(state.iterations() * (megabytes << 20));
}
BENCHMARK(BM_ReadKey_AfterHugeLine)->Arg(16)->Arg(64)->Arg(256)->Unit(benchmark::kMillisecond);

// n sections; the key sought is in the last one.
void BM_ReadKey_ManySections(benchmark::State& state) {
    const int sections = static_cast<int>(state.range(0));
    QByteArray text;
    text.reserve(static_cast<qsizetype>(sections) * 20);
    for (int s = 0; s < sections; ++s) {
        text += "[S" + QByteArray::number(s) + "]\r\nk=v\r\n";
    }
    Menu menu(text);
    const QString last = QStringLiteral("S%1").arg(sections - 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(qv::ReadKey(menu.path, last, QStringLiteral("k"), noDialogs));
    }
    state.SetComplexityN(sections);
}
BENCHMARK(BM_ReadKey_ManySections)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// A write into the last of n sections (the whole file is copied to its new version).
void BM_WriteKey_ManySections(benchmark::State& state) {
    const int sections = static_cast<int>(state.range(0));
    QByteArray text;
    text.reserve(static_cast<qsizetype>(sections) * 20);
    for (int s = 0; s < sections; ++s) {
        text += "[S" + QByteArray::number(s) + "]\r\nk=v\r\n";
    }
    Menu menu(text);
    const QString last = QStringLiteral("S%1").arg(sections - 1);
    int n = 0;
    for (auto _ : state) {
        qv::WriteKey(menu.path, last, QStringLiteral("k"), QString::number(++n), noDialogs);
    }
    state.SetComplexityN(sections);
}
BENCHMARK(BM_WriteKey_ManySections)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
