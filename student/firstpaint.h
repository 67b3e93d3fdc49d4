// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The automation hooks of the launcher, for scripts, tests and benchmarks:
//   QV_SCREENSHOT=<file.png>  saves a picture of the window and ends the program;
//   QV_WINDOW_TREE=<file>     writes the visible widgets (class, name, geometry in the window,
//                             text), then any message the program gave, one line each;
//   QV_FIRST_PAINT=report     prints "first-paint rss-kb=<n>" and ends the program.
// They act at the first paint after the page is complete. A run with a hook has nobody to press
// OK: every message is recorded (and printed on stderr) instead of waiting in a modal box.
#include "platform/dialogs/messagebox.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <memory>

namespace qv {

class FirstPaintHook : public QObject, public MessageBoxService {
public:
    // The hook the environment asks for, or nullptr when it asks for none. The program then hands
    // it to its window as the window's message box.
    static std::unique_ptr<FirstPaintHook> fromEnvironment();
    ~FirstPaintHook() override = default;
    FirstPaintHook(const FirstPaintHook&) = delete;
    FirstPaintHook& operator=(const FirstPaintHook&) = delete;

    // The window whose first paint the hook waits for.
    void watch(QWidget* window);
    // The window has built its page: act at its next paint.
    void pageComplete();

    void show(const QString& text, const QString& title, MsgIcon icon) override;
    // Recorded like a message and answered no: the hook never waits for a person.
    bool ask(const QString& text, const QString& yes, const QString& no) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FirstPaintHook(QString screenshot, QString tree, bool report);
    void act();
    bool writeWindowTree() const;

    QPointer<QWidget> window_;
    QString screenshot_;
    QString tree_;
    bool report_;
    bool armed_ = false;
    bool done_ = false;
    QStringList messages_;
};

} // namespace qv
