// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/pushtotalk.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace qv {

namespace {

const QString kKey = QStringLiteral("Speech/push-to-talk");
const QString kSettingsFile = QStringLiteral("/quorvel/student.conf");
constexpr qint64 kLargestSettings = qint64{64} * 1024;

} // namespace

bool isSmallSettingsFile(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && info.size() <= kLargestSettings;
}

QString launcherSettingsPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + kSettingsFile;
}

QStringList configDirsOf(const QString& xdgConfigDirs) {
    if (xdgConfigDirs.isEmpty()) {
        return {QStringLiteral("/etc/xdg")};
    }
    QStringList dirs;
    for (const QString& dir : xdgConfigDirs.split(u':', Qt::SkipEmptyParts)) {
        // A relative entry would depend on where the launcher was started.
        if (QDir::isAbsolutePath(dir)) {
            dirs << QDir::cleanPath(dir);
        }
    }
    return dirs;
}

QStringList launcherSettingsFiles() {
    QStringList files{launcherSettingsPath()};
    for (const QString& dir : configDirsOf(qEnvironmentVariable("XDG_CONFIG_DIRS"))) {
        files << dir + kSettingsFile;
    }
    return files;
}

std::optional<QString> layeredSetting(const QStringList& files, const QString& key,
                                      const std::function<bool(const QString&)>& usable) {
    for (const QString& path : files) {
        if (!isSmallSettingsFile(path)) {
            continue;
        }
        const QSettings settings(path, QSettings::IniFormat);
        if (settings.status() != QSettings::NoError) {
            continue; // damaged: none of its lines can be trusted
        }
        const QString value = settings.value(key).toString();
        if (settings.contains(key) && usable(value)) {
            return value;
        }
    }
    return std::nullopt;
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

bool readPushToTalk(const QStringList& settingsFiles) {
    const std::optional<QString> value = layeredSetting(
        settingsFiles, kKey, [](const QString& v) { return parseOnOff(v).has_value(); });
    return value && *parseOnOff(*value);
}

bool readPushToTalk(const QString& settingsPath) {
    return readPushToTalk(QStringList{settingsPath});
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
