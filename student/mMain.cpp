// Quorvel Student: creates the launcher window with the real platform services and runs it.
//
// For scripts and benchmarks, two environment variables act once the first page has been
// painted: QV_SCREENSHOT=<file.png> saves a picture of the window there and ends the program;
// QV_FIRST_PAINT=report prints "first-paint rss-kb=<n>" and ends the program.
#include "platform/character.h"
#include "platform/services.h"
#include "platform/shell.h"
#include "platform/speech.h"
#include "student/frmstudent.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <cstdio>

namespace {

long residentKilobytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').value(0).toLong();
        }
    }
    return -1;
}

// Waits for the window's first paint, then acts once on the next turn of the event loop (by
// then the children painted in the same pass are on screen too).
class FirstPaintHook : public QObject {
public:
    FirstPaintHook(QWidget* window, QString screenshot, bool report)
        : window_(window), screenshot_(std::move(screenshot)), report_(report) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!done_ && watched == window_ && event->type() == QEvent::Paint) {
            done_ = true;
            QTimer::singleShot(0, this, &FirstPaintHook::act);
        }
        return false;
    }

private:
    void act() {
        int status = 0;
        if (window_ && !screenshot_.isEmpty()) {
            if (window_->grab().save(screenshot_)) {
                std::printf("%s\n", qPrintable(screenshot_));
            } else {
                std::fprintf(stderr, "could not save %s\n", qPrintable(screenshot_));
                status = 1;
            }
        }
        if (report_) {
            std::printf("first-paint rss-kb=%ld\n", residentKilobytes());
        }
        std::fflush(stdout);
        QCoreApplication::exit(status);
    }

    QPointer<QWidget> window_;
    QString screenshot_;
    bool report_;
    bool done_ = false;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quorvel-student"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quorvel Student"));
    // The character's window must not keep the program alive once the launcher is closed.
    QApplication::setQuitOnLastWindowClosed(false);

    const std::unique_ptr<qv::ShellService> shell = qv::createShellService();
    const std::unique_ptr<qv::CharacterService> character = qv::createCharacterService();
    const std::unique_ptr<qv::SpeechService> speech = qv::createSpeechService();
    qv::Services services;
    services.shell = shell.get();
    services.character = character.get();
    services.speech = speech.get();

    frmstudent window(services);
    QObject::connect(&window, &frmstudent::unloaded, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);

    const QString screenshot = qEnvironmentVariable("QV_SCREENSHOT");
    const bool report = qEnvironmentVariable("QV_FIRST_PAINT") == QLatin1String("report");
    std::unique_ptr<FirstPaintHook> hook;
    if (!screenshot.isEmpty() || report) {
        hook = std::make_unique<FirstPaintHook>(&window, screenshot, report);
    }

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        window.move(area.center() - QPoint(window.width() / 2, window.height() / 2));
    }
    window.Form_Load();
    window.show();
    return QApplication::exec();
}
