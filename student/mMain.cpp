// Quorvel Student: creates the launcher window with the real platform services and runs it.
//
// For scripts and benchmarks, two environment variables act once the first page has been
// painted: QV_SCREENSHOT=<file.png> saves a picture of the window there and ends the program;
// QV_FIRST_PAINT=report prints "first-paint rss-kb=<n>" and ends the program; QV_WINDOW_TREE=<file>
// writes the visible widgets (class, name, geometry in the window, text) there first.
#include "common/menulayout.h"
#include "platform/character.h"
#include "platform/services.h"
#include "platform/shell.h"
#include "platform/speech.h"
#include "platform/startup.h"
#include "student/frmstudent.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTabBar>
#include <QTextStream>
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

// One line per visible widget: class, object name, x y width height in the window, text.
bool writeWindowTree(QWidget* window, const QString& file) {
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        return false;
    }
    QTextStream s(&out);
    const QList<QWidget*> widgets = window->findChildren<QWidget*>();
    for (QWidget* w : widgets) {
        if (!w->isVisibleTo(window)) {
            continue;
        }
        QString text;
        if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            text = b->text();
        } else if (auto* l = qobject_cast<QLabel*>(w)) {
            text = l->text();
        } else if (auto* t = qobject_cast<QTabBar*>(w)) {
            QStringList tabs;
            for (int i = 0; i < t->count(); ++i) {
                tabs << t->tabText(i);
            }
            text = tabs.join(QLatin1Char('|'));
        }
        const QPoint at = w->mapTo(window, QPoint(0, 0));
        s << w->metaObject()->className() << '\t' << w->objectName() << '\t' << at.x() << ' '
          << at.y() << ' ' << w->width() << ' ' << w->height() << '\t'
          << text.replace(QLatin1Char('\n'), QLatin1Char(' ')) << '\n';
    }
    return s.status() == QTextStream::Ok;
}

// Waits for the window's first paint, then acts once on the next turn of the event loop (by
// then the children painted in the same pass are on screen too).
class FirstPaintHook : public QObject {
public:
    FirstPaintHook(QWidget* window, QString screenshot, QString tree, bool report)
        : window_(window), screenshot_(std::move(screenshot)), tree_(std::move(tree)),
          report_(report) {
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
        if (window_ && !tree_.isEmpty() && !writeWindowTree(window_, tree_)) {
            std::fprintf(stderr, "could not write %s\n", qPrintable(tree_));
            status = 1;
        }
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
    QString tree_;
    bool report_;
    bool done_ = false;
};

} // namespace

int main(int argc, char** argv) {
    const QString title = QStringLiteral("Quorvel Student");
    const QString summary = QStringLiteral("The pupils' launcher of a Quorvel menu.");
    if (const auto done = qv::answerOnTerminal(argc, argv, "quorvel-student", title, summary)) {
        return *done;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quorvel-student"));
    QApplication::setApplicationDisplayName(title);
    const qv::Startup start = qv::startUp(title, summary);
    if (start.exitCode) {
        return *start.exitCode;
    }
    qv::useProfilePath(start.menu.path);
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
    qv::installAboutBox(window, title, start.menu);
    QObject::connect(&window, &frmstudent::unloaded, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);

    const QString screenshot = qEnvironmentVariable("QV_SCREENSHOT");
    const QString tree = qEnvironmentVariable("QV_WINDOW_TREE");
    const bool report = qEnvironmentVariable("QV_FIRST_PAINT") == QLatin1String("report");
    std::unique_ptr<FirstPaintHook> hook;
    if (!screenshot.isEmpty() || !tree.isEmpty() || report) {
        hook = std::make_unique<FirstPaintHook>(&window, screenshot, tree, report);
    }

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        window.move(area.center() - QPoint(window.width() / 2, window.height() / 2));
    }
    window.Form_Load();
    window.show();
    return QApplication::exec();
}
