// SPDX-License-Identifier: GPL-3.0-or-later
#include "student/startannouncer.h"

#include "character/character.h"
#include "platform/shell/shell.h"

#include <QCoreApplication>
#include <QTimer>

namespace qv {

StartAnnouncer::StartAnnouncer(ShellService* shell, std::function<CharacterService*()> character,
                               QObject* parent)
    : QObject(parent), shell_(shell), character_(std::move(character)) {
    if (shell_) {
        openerSeen_ = shell_->lastOpenerStart();
        shell_->openerEnded = [this](int start, bool opened) { openerEnded(start, opened); };
    }
}

StartAnnouncer::~StartAnnouncer() {
    if (shell_) {
        shell_->openerEnded = nullptr; // an opener may end after us
    }
}

void StartAnnouncer::announce(const QString& name, bool started, const QString& item) {
    const int opener = shell_ ? shell_->lastOpenerStart() : 0;
    if (started && opener != openerSeen_) {
        // Handed to the opener: its result decides what is said. An opener that is still
        // running after a moment has found an application.
        openerSeen_ = opener;
        pending_.insert(opener, {name, item, false});
        QTimer::singleShot(kOpenerPatienceMs, this, [this, opener] {
            const auto pending = pending_.find(opener);
            if (pending != pending_.end() && !pending->announced) {
                pending->announced = true;
                speak(pending->name, true, pending->item);
            }
        });
        return;
    }
    speak(name, started, item);
}

void StartAnnouncer::openerEnded(int start, bool opened) {
    const auto pending = pending_.find(start);
    if (pending == pending_.end()) {
        return;
    }
    const Pending was = *pending;
    pending_.erase(pending);
    if (!opened || !was.announced) {
        speak(was.name, opened, was.item);
    }
}

void StartAnnouncer::speak(const QString& name, bool started, const QString& item) {
    // Announcing a start that did not happen would tell the pupil to wait for nothing.
    if (!started) {
        qWarning("quorvel-student: %s could not be started", qUtf8Printable(item));
    }
    if (CharacterService* character = character_ ? character_() : nullptr) {
        //: Said by the character before the name of what is started (keep the space).
        character->Speak(started ? QCoreApplication::translate("StartAnnouncer", "Starting ") + name
                                 //: Said by the character after the name of what failed to start.
                                 : name + QCoreApplication::translate("StartAnnouncer",
                                                                      " could not be started"));
    }
}

} // namespace qv
