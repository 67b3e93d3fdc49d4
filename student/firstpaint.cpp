// SPDX-License-Identifier: GPL-3.0-or-later
#include "student/firstpaint.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QTabBar>
#include <QTextStream>
#include <QTimer>
#include <cstdio>

namespace qv {
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

// The text as the control shows it: "&&" is a literal '&'.
QString shownText(QString text) {
    return text.replace(QStringLiteral("&&"), QStringLiteral("&"));
}

QString oneLine(QString text) {
    return text.replace(QLatin1Char('\n'), QLatin1Char(' '))
        .replace(QLatin1Char('\r'), QLatin1Char(' '));
}

} // namespace

std::unique_ptr<FirstPaintHook> FirstPaintHook::fromEnvironment() {
    const QString screenshot = qEnvironmentVariable("QV_SCREENSHOT");
    const QString tree = qEnvironmentVariable("QV_WINDOW_TREE");
    const bool report = qEnvironmentVariable("QV_FIRST_PAINT") == QLatin1String("report");
    if (screenshot.isEmpty() && tree.isEmpty() && !report) {
        return nullptr;
    }
    return std::unique_ptr<FirstPaintHook>(new FirstPaintHook(screenshot, tree, report));
}

FirstPaintHook::FirstPaintHook(QString screenshot, QString tree, bool report)
    : screenshot_(std::move(screenshot)), tree_(std::move(tree)), report_(report) {}

void FirstPaintHook::watch(QWidget* window) {
    window_ = window;
    window->installEventFilter(this);
}

void FirstPaintHook::show(const QString& text, const QString& title, MsgIcon icon) {
    Q_UNUSED(title);
    Q_UNUSED(icon);
    messages_ << text;
    std::fprintf(stderr, "message: %s\n", qUtf8Printable(oneLine(text)));
}

bool FirstPaintHook::ask(const QString& text, const QString& yes, const QString& no) {
    Q_UNUSED(yes);
    Q_UNUSED(no);
    show(text, {}, MsgIcon::Question);
    return false;
}

void FirstPaintHook::pageComplete() {
    armed_ = true;
    if (window_) {
        window_->update();
    }
}

bool FirstPaintHook::eventFilter(QObject* watched, QEvent* event) {
    if (armed_ && !done_ && watched == window_ && event->type() == QEvent::Paint) {
        done_ = true;
        // On the next turn of the event loop the children painted in the same pass are on
        // screen too.
        QTimer::singleShot(0, this, &FirstPaintHook::act);
    }
    return false;
}

// One line per visible widget: class, object name, x y width height in the window, text; then
// one line per message: "message", "-", "0 0 0 0", its text.
bool FirstPaintHook::writeWindowTree() const {
    QFile out(tree_);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        return false;
    }
    QTextStream s(&out);
    const QList<QWidget*> widgets = window_->findChildren<QWidget*>();
    for (QWidget* w : widgets) {
        if (!w->isVisibleTo(window_)) {
            continue;
        }
        QString text;
        if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            text = shownText(b->text());
        } else if (auto* l = qobject_cast<QLabel*>(w)) {
            text = l->text();
        } else if (auto* t = qobject_cast<QTabBar*>(w)) {
            QStringList tabs;
            for (int i = 0; i < t->count(); ++i) {
                tabs << shownText(t->tabText(i));
            }
            text = tabs.join(QLatin1Char('|'));
        }
        const QPoint at = w->mapTo(window_, QPoint(0, 0));
        s << w->metaObject()->className() << '\t' << w->objectName() << '\t' << at.x() << ' '
          << at.y() << ' ' << w->width() << ' ' << w->height() << '\t' << oneLine(text) << '\n';
    }
    for (const QString& m : messages_) {
        s << "message\t-\t0 0 0 0\t" << oneLine(m) << '\n';
    }
    return s.status() == QTextStream::Ok;
}

void FirstPaintHook::act() {
    int status = 0;
    if (window_ && !tree_.isEmpty() && !writeWindowTree()) {
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

} // namespace qv
