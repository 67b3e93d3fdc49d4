// SPDX-License-Identifier: GPL-3.0-or-later
#include "student/frmvoice.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

frmvoice::frmvoice(qv::RecognitionContext* context, QStringList commands, QWidget* parent)
    : QDialog(parent), context_(context), commands_(std::move(commands)) {
    setObjectName(QStringLiteral("frmvoice"));
    setWindowTitle(tr("Learn my voice"));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(tr("Say each command when you are asked, in your "
                                "own voice, as you would in class."),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    lblPrompt = new QLabel(this);
    lblPrompt->setObjectName(QStringLiteral("lblPrompt"));
    QFont big = lblPrompt->font();
    big.setPointSizeF(big.pointSizeF() * 2.2);
    big.setBold(true);
    lblPrompt->setFont(big);
    lblPrompt->setAlignment(Qt::AlignCenter);
    lblPrompt->setMinimumHeight(lblPrompt->fontMetrics().height() * 2);
    layout->addWidget(lblPrompt);
    lblStep = new QLabel(this);
    lblStep->setObjectName(QStringLiteral("lblStep"));
    lblStep->setAlignment(Qt::AlignCenter);
    layout->addWidget(lblStep);
    lblHeard = new QLabel(this);
    lblHeard->setObjectName(QStringLiteral("lblHeard"));
    lblHeard->setAlignment(Qt::AlignCenter);
    lblHeard->setWordWrap(true);
    lblHeard->setMinimumHeight(lblHeard->fontMetrics().height() * 3);
    layout->addWidget(lblHeard);
    cmdClose = new QPushButton(tr("Cancel"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setDefault(true);
    layout->addWidget(cmdClose, 0, Qt::AlignRight);
    // The launcher goes by chosenWarp(), however the window is closed.
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    resize(sizeHint().expandedTo(QSize(420, 0)));

    connect(context_, &qv::RecognitionContext::EnrolmentHeard, this, &frmvoice::heard);
    connect(context_, &qv::RecognitionContext::VoiceChosen, this, &frmvoice::chosen);
    context_->setEnrolling(true);
    enrolling_ = true;
    ask();
}

frmvoice::~frmvoice() {
    stopEnrolling();
}

void frmvoice::done(int result) {
    stopEnrolling();
    QDialog::done(result);
}

void frmvoice::stopEnrolling() {
    if (context_ && enrolling_) {
        context_->setEnrolling(false);
    }
    enrolling_ = false;
}

void frmvoice::ask() {
    //: %1 is a spoken command; commands stay English, whatever the language.
    lblPrompt->setText(tr("Say \"%1\"").arg(commands_.value(next_)));
    lblStep->setText(tr("Command %1 of %2").arg(next_ + 1).arg(commands_.size()));
}

void frmvoice::heard(int index, const QString& text) {
    if (next_ >= commands_.size() || index < 0) {
        return; // all were said: what follows is no part of it
    }
    while (said_.size() <= index) {
        said_ << QString();
    }
    // A cough or a bang holds no word: it is left out, and the same command asked again.
    if (text.trimmed().isEmpty()) {
        lblHeard->setText(tr("Nothing was heard. Say it again, a little louder."));
        return;
    }
    said_[index] = commands_[next_];
    lblHeard->setText(tr("Heard: %1").arg(text.trimmed()));
    if (++next_ < commands_.size()) {
        ask();
        return;
    }
    if (!context_) {
        return;
    }
    stopEnrolling();
    lblPrompt->setText(tr("Thank you!"));
    lblStep->setText(tr("Learning your voice, one moment please..."));
    lblHeard->clear();
    context_->chooseVoice(said_);
}

void frmvoice::chosen(double warp, int before, int after, int commands) {
    if (warp <= 0) {
        lblStep->setText(tr("Your voice could not be learnt. Try again later."));
        return;
    }
    chosenWarp_ = warp;
    lblPrompt->setText(tr("Done"));
    lblStep->setText(tr("Of your %1 commands, %2 were heard right before and %3 "
                        "are now.")
                         .arg(commands)
                         .arg(before)
                         .arg(after));
    lblHeard->setText(tr("Your voice is kept for you on this computer."));
    cmdClose->setText(tr("Close"));
}
