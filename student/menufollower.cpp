// SPDX-License-Identifier: GPL-3.0-or-later
#include "student/menufollower.h"

#include "common/menulayout.h"
#include "common/menuwatcher.h"
#include "common/modini.h"
#include "platform/dialogs/messagebox.h"
#include "platform/files/filetest.h"

namespace qv {

QString MenuFollower::fileNotFound() {
    return tr("Error in INI file : File Not Found");
}

QString MenuFollower::noTabsFound() {
    return tr("Error in INI file : No Tabs Found");
}

MenuFollower::MenuFollower(QString profilePath, ShownInAction& messages,
                           std::function<void()> showMenu, QObject* parent)
    : QObject(parent), profilePath_(std::move(profilePath)), messages_(messages),
      showMenu_(std::move(showMenu)) {}

QString MenuFollower::problem() const {
    if (!canOpenForReading(profilePath_)) {
        return fileNotFound();
    }
    const MenuCount tabs =
        parseCount(ReadKey(profilePath_, kSettings, kNumberOfTabs, messages_).value_or(QString()));
    if (!tabs.isNumber() || tabs.value <= 0) {
        return noTabsFound();
    }
    return {};
}

QString MenuFollower::load() {
    if (!watcher_) {
        watcher_ = new MenuWatcher(profilePath_, this);
        connect(watcher_, &MenuWatcher::changed, this, &MenuFollower::reload);
    }
    shownMenu_ = menuBytes(profilePath_);
    reportedMenu_ = shownMenu_; // what a message of the caller is about
    message_ = problem();
    return message_;
}

bool MenuFollower::gone() {
    if (canOpenForReading(profilePath_)) {
        return false;
    }
    // Said once, as the watcher says it; each read of the missing file would say it again.
    if (const QString message = fileNotFound(); message_ != message) {
        message_ = message;
        reportedMenu_ = menuBytes(profilePath_);
        MsgBox(messages_, message);
    }
    return true;
}

void MenuFollower::reload() {
    const ShownInAction::Action action(messages_);
    // A message shown meanwhile runs its own event loop, in which the file may change again.
    if (reloading_) {
        reloadPending_ = true;
        return;
    }
    reloading_ = true;
    do {
        reloadPending_ = false;
        reloadOnce();
    } while (reloadPending_ && !stopped_);
    reloading_ = false;
}

void MenuFollower::reloadOnce() {
    const QByteArray bytes = menuBytes(profilePath_);
    if (bytes == shownMenu_ && message_.isEmpty()) {
        return;
    }
    // A damaged file that has not changed since it was reported: a change elsewhere in its
    // folder (a log, another program's file) is no reason to read it, or to say so, again.
    if (!message_.isEmpty() && bytes == reportedMenu_) {
        emit checked(false);
        return;
    }
    const QString now = problem();
    if (!now.isEmpty()) {
        // The menu on screen stays; the damage is reported once, not at every touch.
        const bool again = now == message_;
        message_ = now;
        reportedMenu_ = bytes;
        if (!again && !ProfileTooLarge(profilePath_)) { // ReadKey has said why then
            MsgBox(messages_, now);
        }
        emit checked(false);
        return;
    }
    message_.clear();
    if (bytes == shownMenu_) {
        emit checked(false);
        return;
    }
    shownMenu_ = bytes;
    showMenu_();
    emit checked(true);
}

} // namespace qv
