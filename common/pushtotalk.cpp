// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/pushtotalk.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace qv {

namespace {

const QString kKey = QStringLiteral("Speech/push-to-talk");
constexpr qint64 kLargestSettings = qint64{64} * 1024;

} // namespace

bool isSmallSettingsFile(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && info.size() <= kLargestSettings;
}

QString launcherSettingsPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/quorvel/student.conf");
}

std::optional<bool> parseOnOff(const QString& text) {
    const QString word = text.trimmed().toLower();
    if (word == u"on" || word == u"true" || word == u"yes" || word == u"1") {
        return true;
    }
    if (word == u"off" || word == u"false" || word == u"no" || word == u"0") {
        return false;
    }
    return std::nullopt;
}

bool readPushToTalk(const QString& settingsPath) {
    if (!isSmallSettingsFile(settingsPath)) {
        return false;
    }
    const QSettings settings(settingsPath, QSettings::IniFormat);
    return parseOnOff(settings.value(kKey).toString()).value_or(false);
}

bool writePushToTalk(const QString& settingsPath, bool on) {
    if (QFileInfo::exists(settingsPath) && !isSmallSettingsFile(settingsPath)) {
        return false; // a folder or a device in its place: nothing of ours to replace
    }
    QSettings settings(settingsPath, QSettings::IniFormat);
    settings.setValue(kKey, on ? QStringLiteral("on") : QStringLiteral("off"));
    settings.sync();
    // A file that could not be parsed stays a format error after it was written anew; only a
    // failed write is an access error.
    return settings.status() != QSettings::AccessError && readPushToTalk(settingsPath) == on;
}

TalkKeys::Change TalkKeys::set(bool key, bool button) {
    const bool was = held();
    key_ = key;
    button_ = button;
    if (was == held()) {
        return Change::None;
    }
    return was ? Change::End : Change::Listen;
}

TalkKeys::Change TalkKeys::key(bool down, bool autoRepeat) {
    if (autoRepeat) {
        return Change::None;
    }
    return set(down, button_);
}

TalkKeys::Change TalkKeys::button(bool down) {
    return set(key_, down);
}

TalkKeys::Change TalkKeys::focusLost() {
    return set(false, false);
}

} // namespace qv
