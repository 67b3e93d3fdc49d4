// SPDX-License-Identifier: GPL-3.0-or-later
// Quorvel Student: process start to the first painted page on a 10-tab x 100-button menu
// (target <= 150 ms, resident memory <= 50 MB), a page flip of ten button faces (">>",
// target <= 10 ms), and the time from the rename of a changed qv.ini to the repaint of the page
// shown (target <= 200 ms).
#include "character/character.h"
#include "common/ui/cmdapplau.h"
#include "platform/dialogs/messagebox.h"
#include "platform/services.h"
#include "platform/shell/shell.h"
#include "speech/service.h"
#include "student/frmstudent.h"
#include "tools/lnkwriter.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <iterator>

namespace {

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// Ten tabs of 100 buttons, shortcuts with their own .ico, beside a copy of the program.
QByteArray bigMenu(const QString& folder) {
    QImage picture(32, 32, QImage::Format_ARGB32);
    picture.fill(QColor(40, 120, 200, 255));
    const QString ico = QDir(folder).filePath("face.ico");
    picture.save(ico, "ICO");
    const QString target = QDir(folder).filePath("quorvel-student");
    QByteArray text = "[Settings]\r\nNumber of tabs=10\r\n";
    for (int t = 1; t <= 10; ++t) {
        text += "Tab" + QByteArray::number(t) + "=Tab " + QByteArray::number(t) + "\r\n";
    }
    for (int t = 1; t <= 10; ++t) {
        text += "[Tab " + QByteArray::number(t) + "]\r\nNumber of Buttons=100\r\n";
        for (int b = 1; b <= 100; ++b) {
            const QString lnk =
                QDir(folder).filePath(QStringLiteral("Item %1-%2.lnk").arg(t).arg(b));
            qvtest::LnkFields link;
            link.localBasePath = target;
            link.iconLocation = ico;
            writeFile(lnk, qvtest::writeLnk(link));
            text += "Button " + QByteArray::number(b) + "=" + lnk.toUtf8() + "\r\n";
        }
    }
    return text;
}

void BM_StartToFirstPaint(benchmark::State& state) {
    QTemporaryDir dir;
    const QString program = QDir(dir.path()).filePath("quorvel-student");
    const QString built = QDir(QStringLiteral(QV_BIN_DIR)).filePath("quorvel-student");
    if (!QFile::copy(built, program)) {
        state.SkipWithError("quorvel-student is not built");
        return;
    }
    writeFile(QDir(dir.path()).filePath("qv.ini"), bigMenu(dir.path()));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QV_FIRST_PAINT", "report");
    if (env.value("DISPLAY").isEmpty()) {
        env.insert("QT_QPA_PLATFORM", "offscreen");
    }
    double rssKb = 0;
    for (auto _ : state) {
        QProcess p;
        p.setProcessEnvironment(env);
        QElapsedTimer t;
        t.start();
        p.start(program, {});
        p.waitForFinished(30000);
        state.SetIterationTime(t.nsecsElapsed() / 1e9);
        const QByteArray out = p.readAllStandardOutput();
        const qsizetype at = out.indexOf("rss-kb=");
        if (p.exitCode() != 0 || at < 0) {
            state.SkipWithError("the launcher did not report its first page");
            return;
        }
        rssKb = out.mid(at + 7).trimmed().toDouble();
    }
    state.counters["rss_mb"] = rssKb / 1024.0;
}
BENCHMARK(BM_StartToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// The launcher window on a menu folder, loaded, with every service a fake.
struct FakeLauncher {
    explicit FakeLauncher(const QString& folder) : w(services, folder) { w.Form_Load(); }
    qv::FakeMessageBox box;
    qv::FakeShell shell;
    qv::FakeCharacter character;
    qv::FakeSpeechService speech;
    qv::Services services{.shell = &shell,
                          .character = &character,
                          .speech = &speech,
                          .messages = &box,
                          .menuPath = {}};
    frmstudent w;
};

void BM_PageFlip(benchmark::State& state) {
    QTemporaryDir dir;
    QImage picture(32, 32, QImage::Format_ARGB32);
    picture.fill(QColor(200, 80, 40, 255));
    const QString ico = QDir(dir.path()).filePath("face.ico");
    picture.save(ico, "ICO");
    QByteArray text =
        "[Settings]\r\nNumber of tabs=1\r\nTab1=A\r\n[Tab 1]\r\nNumber of Buttons=30\r\n";
    for (int b = 1; b <= 30; ++b) {
        const QString lnk = QDir(dir.path()).filePath(QStringLiteral("Item %1.lnk").arg(b));
        qvtest::LnkFields link;
        link.localBasePath = ico;
        link.iconLocation = ico;
        writeFile(lnk, qvtest::writeLnk(link));
        text += "Button " + QByteArray::number(b) + "=" + lnk.toUtf8() + "\r\n";
    }
    writeFile(QDir(dir.path()).filePath("qv.ini"), text);
    FakeLauncher launcher(dir.path());
    frmstudent& w = launcher.w;
    QCoreApplication::processEvents();
    for (auto _ : state) {
        w.cmdnext_Click(); // buttons 11 to 20
        QCoreApplication::processEvents();
        state.PauseTiming();
        w.cmdback_Click();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    if (w.cmdapplau->count() != 11) { // the template and the ten of the page
        state.SkipWithError("the page was not full");
    }
}
BENCHMARK(BM_PageFlip)->Unit(benchmark::kMillisecond);

// The first visit to pages of ten real faces: on each page four shortcuts with icons of their
// own, three plain programs (no icon inside: the desktop's icon theme or the generic face) and
// three desktop entries naming theme icons, every file new to the process. The time of one ">>"
// to a page not seen before, the mean over the nine pages after the first.
void BM_FirstVisitOfAPageOfRealFaces(benchmark::State& state) {
    constexpr int kPages = 10;
    const char* const themeIcons[] = {
        "accessories-calculator", "utilities-terminal", "accessories-text-editor",
        "system-file-manager",    "help-browser",       "preferences-desktop"};
    const QStringList programs =
        QDir(QStringLiteral("/usr/bin")).entryList(QDir::Files | QDir::Executable, QDir::Name);
    int program = 0;
    for (auto _ : state) {
        QTemporaryDir dir;
        QImage picture(32, 32, QImage::Format_ARGB32);
        QByteArray text = "[Settings]\r\nNumber of tabs=1\r\nTab1=A\r\n[Tab 1]\r\n";
        text += "Number of Buttons=" + QByteArray::number(kPages * 10) + "\r\n";
        for (int b = 1; b <= kPages * 10; ++b) {
            QString item;
            const int kind = (b - 1) % 10;
            if (kind < 4) { // a shortcut to an icon file of its own
                picture.fill(QColor::fromHsv(b * 37 % 360, 200, 200));
                const QString ico = dir.filePath(QStringLiteral("face%1.ico").arg(b));
                picture.save(ico, "ICO");
                qvtest::LnkFields link;
                link.localBasePath = ico;
                link.iconLocation = ico;
                item = dir.filePath(QStringLiteral("Item %1.lnk").arg(b));
                writeFile(item, qvtest::writeLnk(link));
            } else if (kind < 7) { // a plain program of the system
                item = QStringLiteral("/usr/bin/") + programs.value(program++ % programs.size());
            } else { // a desktop entry
                item = dir.filePath(QStringLiteral("entry%1.desktop").arg(b));
                writeFile(item, "[Desktop Entry]\nType=Application\nName=Entry " +
                                    QByteArray::number(b) + "\nExec=/usr/bin/true\nIcon=" +
                                    themeIcons[b % std::size(themeIcons)] + "\n");
            }
            text += "Button " + QByteArray::number(b) + "=" + item.toUtf8() + "\r\n";
        }
        writeFile(dir.filePath("qv.ini"), text);
        FakeLauncher launcher(dir.path());
        frmstudent& w = launcher.w;
        QCoreApplication::processEvents();
        QElapsedTimer flips;
        flips.start();
        for (int page = 2; page <= kPages; ++page) {
            w.cmdnext_Click();
            QCoreApplication::processEvents();
        }
        state.SetIterationTime(flips.nsecsElapsed() / 1e9 / (kPages - 1));
        if (w.cmdapplau->count() != 11) {
            state.SkipWithError("the last page was not full");
        }
    }
}
BENCHMARK(BM_FirstVisitOfAPageOfRealFaces)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

// Notes the first paint of a launch button after the page was rebuilt.
class PaintWatch : public QObject {
public:
    bool reloaded = false;
    bool painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (reloaded && event->type() == QEvent::Paint && qobject_cast<QToolButton*>(watched)) {
            painted = true;
        }
        return false;
    }
};

void BM_RenameToRepaint(benchmark::State& state) {
    QTemporaryDir dir;
    const QString ini = QDir(dir.path()).filePath("qv.ini");
    const QString fresh = ini + ".new";
    const auto menu = [](int variant) {
        QByteArray text = "[Settings]\r\nNumber of tabs=3\r\nTab1=A\r\nTab2=B\r\nTab3=C\r\n";
        for (int t = 1; t <= 3; ++t) {
            text += "[Tab " + QByteArray::number(t) + "]\r\nNumber of Buttons=10\r\n";
            for (int b = 1; b <= 10; ++b) {
                text += "Button " + QByteArray::number(b) + "=/apps/Prog" +
                        QByteArray::number(variant * 100 + b) + ".exe\r\n";
            }
        }
        return text;
    };
    writeFile(ini, menu(0));
    FakeLauncher launcher(dir.path());
    frmstudent& w = launcher.w;
    PaintWatch watch;
    QCoreApplication::instance()->installEventFilter(&watch);
    QObject::connect(&w, &frmstudent::menuChecked, &watch,
                     [&watch](bool shown) { watch.reloaded = shown; });
    QCoreApplication::processEvents();
    int variant = 0;
    for (auto _ : state) {
        writeFile(fresh, menu(++variant));
        watch.reloaded = false;
        watch.painted = false;
        QElapsedTimer t;
        t.start();
        std::rename(QFile::encodeName(fresh).constData(), QFile::encodeName(ini).constData());
        while (!watch.painted && t.elapsed() < 5000) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        state.SetIterationTime(static_cast<double>(t.nsecsElapsed()) / 1e9);
        if (!watch.painted) {
            state.SkipWithError("the changed menu was not shown");
            return;
        }
    }
}
BENCHMARK(BM_RenameToRepaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

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
