// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Push to talk: the launcher's own choice to hear the room only while a talk key is held, kept
// in a small settings file of the launcher on this machine (never in qv.ini, which the whole
// room shares), and the state of the talk keys that opens and closes the recognizer.
#include <QString>
#include <optional>

namespace qv {

// student.conf in the user's quorvel config folder ($XDG_CONFIG_HOME/quorvel).
QString launcherSettingsPath();

// A settings file of ours is a regular file of a few lines: anything larger is not ours, and a
// FIFO would block the read.
bool isSmallSettingsFile(const QString& path);

// The stored choice. Off, the default, when the file is missing, cannot be read, is no small
// regular file, or holds anything but on or off.
bool readPushToTalk(const QString& settingsPath);
// Stores the choice, keeping the file's other settings; false when it could not be written.
bool writePushToTalk(const QString& settingsPath, bool on);

// "on" or "off" in any letter case (also true/false, yes/no, 1/0); nothing for anything else.
std::optional<bool> parseOnOff(const QString& text);

// The two talk keys, Space on the window and the on-screen button: the recognizer listens while
// either is held. The auto-repeat of a held key changes nothing, and a release without its
// press (the key went down in another window) neither. Losing the focus lets go of both: the
// release would go to another window.
class TalkKeys {
public:
    enum class Change { None, Listen, End };
    Change key(bool down, bool autoRepeat);
    Change button(bool down);
    Change focusLost();
    bool held() const { return key_ || button_; }

private:
    Change set(bool key, bool button);
    bool key_ = false;
    bool button_ = false;
};

} // namespace qv
