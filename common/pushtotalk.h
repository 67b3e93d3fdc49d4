// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Push to talk: the launcher's own choice to hear the room only while a talk key is held, kept
// in a small settings file of the launcher on this machine (never in qv.ini, which the whole
// room shares), and the state of the talk keys that opens and closes the recognizer.
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace qv {

// student.conf in the user's quorvel config folder ($XDG_CONFIG_HOME/quorvel): the one the
// launcher writes.
QString launcherSettingsPath();

// The machine-wide config folders named by a value of XDG_CONFIG_DIRS, most important first:
// /etc/xdg when it is empty; relative entries are no folder and are left out.
QStringList configDirsOf(const QString& xdgConfigDirs);

// Every student.conf the launcher reads, the one that wins first: the user's own, then
// quorvel/student.conf in each machine-wide config folder. IT sets a default for every pupil in
// /etc/xdg/quorvel/student.conf; a pupil's own choice still wins.
QStringList launcherSettingsFiles();

// The value of a setting ("Section/key") from the first of the files that holds it in a form
// `usable` takes. A file that is missing, damaged, or no small regular file is passed over.
std::optional<QString> layeredSetting(const QStringList& files, const QString& key,
                                      const std::function<bool(const QString&)>& usable);

// A settings file of ours is a regular file of a few lines: anything larger is not ours, and a
// FIFO would block the read.
bool isSmallSettingsFile(const QString& path);

// The stored choice: from the first of the files that holds on or off. Off, the default, when
// none does.
bool readPushToTalk(const QStringList& settingsFiles);
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
