// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Push to talk on the launcher window: while it is on, the recognizer hears the room only while
// Space (anywhere on the window) or the on-screen button is held, and Space starts, clicks and
// turns nothing; the page buttons, which lose Space, turn the pages with Return and Enter as the
// launch buttons start with them. Off, no event passes through here.
#include "common/pushtotalk.h"

#include <QObject>
#include <QTimer>
#include <functional>

class QPushButton;
class QWidget;

namespace qv {

class RecognitionContext;

class TalkControl : public QObject {
    Q_OBJECT
public:
    // recognizer gives the window's recognizer at the moment, or nullptr.
    TalkControl(QWidget* window, QPushButton* holdToTalk, QPushButton* cmdback,
                QPushButton* cmdnext, std::function<RecognitionContext*()> recognizer);
    // To be deleted before the window's controls go away: the tap would else see their events.
    ~TalkControl() override;
    TalkControl(const TalkControl&) = delete;
    TalkControl& operator=(const TalkControl&) = delete;

    bool on() const { return on_; }
    // A talk key is held now.
    bool held() const { return keys_.held(); }
    // Switches push to talk on or off (the keys let go); gates the recognizer to match.
    void setOn(bool on);
    // Gates a recognizer made anew as the keys are now, when push to talk is on.
    void gate();

signals:
    // A talk key went down or was let go.
    void heldChanged(bool held);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void talk(TalkKeys::Change change);

    QWidget* window_;
    QPushButton* holdToTalk_;
    QPushButton* cmdback_;
    QPushButton* cmdnext_;
    std::function<RecognitionContext*()> recognizer_;
    TalkKeys keys_;
    bool on_ = false;
    // A release of Space waits here for the press that follows it when the X server repeats the
    // held key and Qt does not see the pair as a repeat: a held key must not end the command.
    QTimer release_;
};

} // namespace qv
