// SPDX-License-Identifier: GPL-3.0-or-later
#include "student/talkcontrol.h"

#include "speech/service.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPushButton>

namespace qv {

TalkControl::TalkControl(QWidget* window, QPushButton* holdToTalk, QPushButton* cmdback,
                         QPushButton* cmdnext, std::function<RecognitionContext*()> recognizer)
    : QObject(window), window_(window), holdToTalk_(holdToTalk), cmdback_(cmdback),
      cmdnext_(cmdnext), recognizer_(std::move(recognizer)) {
    release_.setSingleShot(true);
    release_.setInterval(40);
    connect(&release_, &QTimer::timeout, this, [this] { talk(keys_.key(false, false)); });
    connect(holdToTalk_, &QPushButton::pressed, this, [this] { talk(keys_.button(true)); });
    connect(holdToTalk_, &QPushButton::released, this, [this] { talk(keys_.button(false)); });
}

TalkControl::~TalkControl() {
    QCoreApplication::instance()->removeEventFilter(this);
}

void TalkControl::setOn(bool on) {
    if (on == on_) {
        return;
    }
    on_ = on;
    keys_ = {};
    holdToTalk_->setVisible(on);
    if (on) {
        QCoreApplication::instance()->installEventFilter(this);
    } else {
        QCoreApplication::instance()->removeEventFilter(this);
    }
    if (RecognitionContext* recognizer = recognizer_()) {
        recognizer->setGated(on);
    }
}

void TalkControl::gate() {
    RecognitionContext* recognizer = recognizer_();
    if (recognizer && on_) {
        recognizer->setGated(!keys_.held());
    }
}

bool TalkControl::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == window_ && (type == QEvent::WindowDeactivate || type == QEvent::Hide)) {
        // The key's release will go to another window, or nowhere.
        talk(keys_.focusLost());
        return false;
    }
    if ((type != QEvent::KeyPress && type != QEvent::KeyRelease) || !watched->isWidgetType() ||
        static_cast<QWidget*>(watched)->window() != window_) {
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Space) {
        const bool down = type == QEvent::KeyPress;
        if (!down && !key->isAutoRepeat()) {
            release_.start(); // ends the command unless the key comes down again at once
        } else if (down && release_.isActive()) {
            release_.stop(); // the server's repeat of the held key
        } else {
            talk(keys_.key(down, key->isAutoRepeat()));
        }
        return true;
    }
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    auto* page = qobject_cast<QPushButton*>(watched);
    if (enter && (page == cmdback_ || page == cmdnext_)) {
        if (type == QEvent::KeyPress && !key->isAutoRepeat()) {
            page->click();
        }
        return true;
    }
    return false;
}

void TalkControl::talk(TalkKeys::Change change) {
    if (change == TalkKeys::Change::None) {
        return;
    }
    const bool held = change == TalkKeys::Change::Listen;
    holdToTalk_->setDown(held);
    if (RecognitionContext* recognizer = recognizer_()) {
        recognizer->setGated(!held);
    }
    emit heldChanged(held);
}

} // namespace qv
