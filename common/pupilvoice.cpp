#include "common/pupilvoice.h"

#include "common/pushtotalk.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace qv {

namespace {

const QString kRecognizer = QStringLiteral("Voice/recognizer");
const QString kWarp = QStringLiteral("Voice/warp");

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
    // The names of our recognizers hold commas: written by hand without quotes, the name is
    // read as a list of its parts.
    const QString storedFor = settings.value(kRecognizer).toStringList().join(QStringLiteral(", "));
    // A warp found with one model fits no other: that one's voices sound otherwise.
    if (!number || storedFor != recognizer ||
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
    settings.sync();
    return settings.status() != QSettings::AccessError &&
           qAbs(readVoiceWarp(path, recognizer) - warp) < 0.005;
}

} // namespace qv
