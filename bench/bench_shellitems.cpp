// SPDX-License-Identifier: GPL-3.0-or-later
// Building a page of ten button faces (five shortcuts, five programs) from a warm file cache,
// as each window's LoadButton does it: clear the icon surface, build the next element.
#include "common/ui/Arrays.h"
#include "common/ui/cmdapplau.h"
#include "common/ui/imgicon.h"
#include "platform/icons/fileicon.h"
#include "platform/shortcuts/shortcut.h"
#include "tools/iconwriter.h"
#include "tools/lnkwriter.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QWidget>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct Page {
    explicit Page(bool launcher) {
        const QColor colours[5] = {Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::magenta};
        for (int k = 0; k < 5; ++k) {
            // Programs with the sizes a real one carries; the reader must pick 32 x 32.
            qvtest::PeLayout pe;
            pe.groups = {{{qvtest::testPicture(16, colours[k]), false, 8},
                          {qvtest::testPicture(32, colours[k]), false, 32},
                          {qvtest::testPicture(48, colours[k]), false, 32},
                          {qvtest::testPicture(256, colours[k]), true, 32}}};
            const QString exe = dir.filePath(QStringLiteral("Program %1.exe").arg(k + 1));
            qvtest::writeFile(exe, qvtest::writePe(pe));
            qvtest::LnkFields lnk = qvtest::fullLnkFields();
            lnk.localBasePath = dir.filePath(QStringLiteral("Program %1.exe").arg(5 - k));
            lnk.commonPathSuffix.clear();
            lnk.iconLocation = exe;
            const QString shortcut = dir.filePath(QStringLiteral("Shortcut %1.lnk").arg(k + 1));
            qvtest::writeLnkFile(shortcut, lnk);
            items << shortcut << exe;
        }
        window = std::make_unique<QWidget>();
        cmdapplau = new qv::LaunchButtonArray(window.get(), QRect(1080, 1440, 1335, 1095));
        imgicon = new qv::IconSurface(window.get());
        w = {window.get(), cmdapplau, imgicon, dir.path(), launcher, &messages};
    }
    void build() {
        for (int k = cmdapplau->count() - 1; k >= 1; --k)
            cmdapplau->Unload(k);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (int k = 0; k < items.size(); ++k) {
            imgicon->clearPicture();
            qv::BuildLaunchButton(w, items[k], std::int16_t(k + 1), k + 1 <= 5);
        }
        imgicon->clearPicture();
    }

    QTemporaryDir dir;
    QStringList items;
    std::unique_ptr<QWidget> window;
    qv::LaunchButtonArray* cmdapplau = nullptr;
    qv::IconSurface* imgicon = nullptr;
    qv::FakeMessageBox messages;
    qv::LaunchWindow w;
};

void pageOfTen(benchmark::State& state, bool launcher) {
    Page page(launcher);
    page.build(); // warm: files in the cache, theme and plugins loaded
    for (auto _ : state)
        page.build();
    state.SetItemsProcessed(state.iterations() * 10);
}

void BM_PageOfTenFaces_Editor(benchmark::State& state) {
    pageOfTen(state, false);
}
void BM_PageOfTenFaces_Launcher(benchmark::State& state) {
    pageOfTen(state, true);
}
BENCHMARK(BM_PageOfTenFaces_Editor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageOfTenFaces_Launcher)->Unit(benchmark::kMillisecond);

// The readers alone, on bytes in memory.
void BM_ReadShortcut(benchmark::State& state) {
    const QByteArray bytes = qvtest::writeLnk(qvtest::fullLnkFields());
    for (auto _ : state)
        benchmark::DoNotOptimize(qv::parseShortcut(bytes));
}
BENCHMARK(BM_ReadShortcut)->Unit(benchmark::kMicrosecond);

void BM_FirstPeIcon(benchmark::State& state) {
    qvtest::PeLayout pe;
    pe.groups = {{{qvtest::testPicture(16, Qt::red), false, 8},
                  {qvtest::testPicture(32, Qt::red), false, 32},
                  {qvtest::testPicture(48, Qt::red), false, 32}}};
    const QByteArray bytes = qvtest::writePe(pe);
    for (auto _ : state)
        benchmark::DoNotOptimize(qv::firstIconFromBytes(bytes));
}
BENCHMARK(BM_FirstPeIcon)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
