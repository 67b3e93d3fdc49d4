// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/pupilvoice.h"

#include "common/pushtotalk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

namespace qv {

namespace {

const QString kRecognizer = QStringLiteral("Voice/recognizer");
const QString kWarp = QStringLiteral("Voice/warp");
const QString kTransform = QStringLiteral("Voice/transform");
// Far more than a transform of any of our models takes.
constexpr qint64 kLargestTransform = 1 << 20;

QString transformPathOf(const QString& path) {
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

QString readVoiceTransform(const QString& path, const QString& recognizer) {
    const QString file = transformPathOf(path);
    if (!isSmallSettingsFile(path) || !QFileInfo(file).isFile() ||
        QFileInfo(file).size() > kLargestTransform) {
        return {};
    }
    const QSettings settings(path, QSettings::IniFormat);
    const bool stored = settings.value(kTransform).toString() == QFileInfo(file).fileName();
    return stored && recognizerOf(settings) == recognizer ? file : QString();
}

bool writeVoiceWarp(const QString& path, const QString& recognizer, double warp,
                    const QByteArray& transform) {
    if (QFileInfo::exists(path) && !isSmallSettingsFile(path)) {
        return false; // a folder or a device in its place: nothing of ours to replace
    }
    const QString file = transformPathOf(path);
    if (!transform.isEmpty()) {
        // Written whole or not at all: a transform cut short would spoil the pupil's voice.
        QDir().mkpath(QFileInfo(file).path());
        QSaveFile out(file);
        if (!out.open(QIODevice::WriteOnly) || out.write(transform) != transform.size() ||
            !out.commit()) {
            return false;
        }
    }
    QSettings settings(path, QSettings::IniFormat);
    settings.setValue(kRecognizer, recognizer);
    settings.setValue(kWarp, QString::number(warp, 'f', 2));
    if (transform.isEmpty()) {
        settings.remove(kTransform);
    } else {
        settings.setValue(kTransform, QFileInfo(file).fileName());
    }
    settings.sync();
    if (transform.isEmpty() && QFileInfo(file).isFile()) {
        QFile::remove(file);
    }
    return settings.status() != QSettings::AccessError &&
           qAbs(readVoiceWarp(path, recognizer) - warp) < 0.005 &&
           readVoiceTransform(path, recognizer).isEmpty() == transform.isEmpty();
}

} // namespace qv
