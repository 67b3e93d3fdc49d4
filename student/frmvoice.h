// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Learning a pupil's voice: the pupil says each command once when asked, and the recognizer
// then finds how to hear this voice best. The window leads through it and tells the outcome.
#include <QDialog>
#include <QPointer>
#include <QStringList>

#include "speech/service.h"

class QLabel;
class QPushButton;

class frmvoice : public QDialog {
    Q_OBJECT
public:
    // context listens while the window is open; commands are asked for in their order.
    frmvoice(qv::RecognitionContext* context, QStringList commands, QWidget* parent = nullptr);
    ~frmvoice() override;

    // The warp found for the pupil's voice; 0 while there is none (not finished, cancelled, or
    // it could not be found).
    double chosenWarp() const { return chosenWarp_; }

    QLabel* lblPrompt = nullptr; // what to say now
    QLabel* lblStep = nullptr;   // how far the pupil has come
    QLabel* lblHeard = nullptr;  // what was heard last, and the outcome
    QPushButton* cmdClose = nullptr;

    // Closed, it hears no more enrolment: the launcher's own handlers then see what is said.
    void done(int result) override;

private:
    void stopEnrolling();
    void heard(int index, const QString& text);
    void chosen(double warp, int before, int after, int commands);
    void ask();

    // The launcher builds its recognizer anew with the voice found, maybe before this goes.
    QPointer<qv::RecognitionContext> context_;
    QStringList commands_;
    QStringList said_; // per kept utterance, the command asked for; empty: nothing was said
    qsizetype next_ = 0;
    bool enrolling_ = false;
    double chosenWarp_ = 0;
};
