// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pupil's own voice: learnt once in frmvoice from the spoken commands, kept for each
// recognizer in qv::pupilVoicePath(), forgotten on request. The recognizer hears with it from
// then on, so it is built anew with each change, listening again if it was.
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>

class QWidget;
class frmvoice;

namespace qv {

class RecognitionContext;

// What learning needs of the launcher window.
struct VoiceHost {
    // The recognizer with its grammar loaded, or nullptr.
    std::function<RecognitionContext*()> recognizer;
    std::function<bool()> listening;
    // Starts or stops listening (the window's start/stop command).
    std::function<void()> toggleListening;
    // The name of the recognizer chosen, under which the voice is kept.
    std::function<QString()> recognizerName;
    // Builds the recognizer anew, hearing with the voice warp.
    std::function<void(double warp)> rebuild;
    // Gates the recognizer as push to talk wants it.
    std::function<void()> gate;
    // The voice could not be stored in the file at path.
    std::function<void(const QString& path)> notSaved;
};

class VoiceLearning : public QObject {
public:
    VoiceLearning(QWidget* window, VoiceHost host, QStringList commands);

    // Opens frmvoice, listening meanwhile; the voice it chose is used when it closes.
    void learn();
    // Back to the recognizer's own hearing.
    void forget();
    // A voice of the pupil's is kept for the recognizer chosen.
    bool canForget() const;

private:
    void use(double warp);

    QWidget* window_;
    VoiceHost host_;
    QStringList commands_;
    QPointer<frmvoice> voiceWindow_; // while a voice is being learnt
};

} // namespace qv
