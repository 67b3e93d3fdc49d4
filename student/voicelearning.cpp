// SPDX-License-Identifier: GPL-3.0-or-later
#include "student/voicelearning.h"

#include "common/pupilvoice.h"
#include "speech/service.h"
#include "student/frmvoice.h"

#include <QWidget>

namespace qv {

VoiceLearning::VoiceLearning(QWidget* window, VoiceHost host, QStringList commands)
    : QObject(window), window_(window), host_(std::move(host)), commands_(std::move(commands)) {}

void VoiceLearning::learn() {
    if (!host_.recognizer() || voiceWindow_) {
        return;
    }
    const bool wasListening = host_.listening();
    if (!wasListening) {
        host_.toggleListening();
        if (!host_.listening()) {
            return; // the reason was shown
        }
    }
    // The pupil is asked for each command: the room is heard without a talk key meanwhile.
    host_.recognizer()->setGated(false);
    voiceWindow_ = new frmvoice(host_.recognizer(), commands_, window_);
    voiceWindow_->setAttribute(Qt::WA_DeleteOnClose);
    connect(voiceWindow_, &QDialog::finished, this, [this, wasListening](int) {
        const double warp = voiceWindow_ ? voiceWindow_->chosenWarp() : 0.0;
        if (warp > 0) {
            use(warp); // a new recognizer, gated as it should be
        } else {
            host_.gate(); // as before the window
        }
        if (!wasListening && host_.listening()) {
            host_.toggleListening();
        }
    });
    voiceWindow_->open();
}

void VoiceLearning::forget() {
    use(1.0);
}

bool VoiceLearning::canForget() const {
    return readVoiceWarp(pupilVoicePath(), host_.recognizerName()) != 1.0;
}

void VoiceLearning::use(double warp) {
    const QString path = pupilVoicePath();
    if (!writeVoiceWarp(path, host_.recognizerName(), warp)) {
        host_.notSaved(path);
    }
    const bool wasListening = host_.listening();
    if (wasListening) {
        host_.toggleListening();
    }
    host_.rebuild(warp);
    if (wasListening) {
        host_.toggleListening();
    }
}

} // namespace qv
