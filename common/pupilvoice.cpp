// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/pupilvoice.h"

#include "common/pushtotalk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace qv {

namespace {

const QString kRecognizer = QStringLiteral("Voice/recognizer");
const QString kWarp = QStringLiteral("Voice/warp");
// Earlier versions also kept a transform of the model's means for the voice, in a file beside
// the warp. Nothing reads it now; storing the voice again takes both away.
const QString kOldTransform = QStringLiteral("Voice/transform");

QString oldTransformPathOf(const QString& path) {
    return QFileInfo(path).dir().filePath(QStringLiteral("voice-transform.txt"));
}

// The recognizer the voice in the settings was found with.
QString recognizerOf(const QSettings& settings) {
    // The names of our recognizers hold commas: written by hand without quotes, the name is
    // read as a list of its parts.
    return settings.value(kRecognizer).toStringList().join(QStringLiteral(", "));
}

} // namespace

QString pupilVoicePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/quorvel/voice.conf");
}

double readVoiceWarp(const QString& path, const QString& recognizer) {
    if (!isSmallSettingsFile(path)) {
        return 1.0;
    }
    const QSettings settings(path, QSettings::IniFormat);
    bool number = false;
    const double warp = settings.value(kWarp).toString().toDouble(&number);
    // A warp found with one model fits no other: that one's voices sound otherwise.
    if (!number || recognizerOf(settings) != recognizer ||
        !(warp >= lowestVoiceWarp && warp <= highestVoiceWarp)) {
        return 1.0;
    }
    return warp;
}

bool writeVoiceWarp(const QString& path, const QString& recognizer, double warp) {
    if (QFileInfo::exists(path) && !isSmallSettingsFile(path)) {
        return false; // a folder or a device in its place: nothing of ours to replace
    }
    QSettings settings(path, QSettings::IniFormat);
    settings.setValue(kRecognizer, recognizer);
    settings.setValue(kWarp, QString::number(warp, 'f', 2));
    settings.remove(kOldTransform);
    settings.sync();
    const QString old = oldTransformPathOf(path);
    if (QFileInfo(old).isFile() && !QFileInfo(old).isSymLink()) {
        QFile::remove(old);
    }
    return settings.status() != QSettings::AccessError &&
           qAbs(readVoiceWarp(path, recognizer) - warp) < 0.005;
}

} // namespace qv
