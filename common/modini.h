// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Profile (INI) file access: the one module through which both programs touch qv.ini.
//
// ReadKey, WriteKey and the deletes go through the profile engine's read and write of one value
// (platform/profile/profile.h, the Windows profile functions' rules). The scanning operations
// (SectionExists, KeyExists, RenameSection, RenameKey(s)) read the whole file once through the
// same engine, walk its lines with the engine's line reader and compare names exactly, and a
// rename is one edit of those bytes stored by the engine in one atomic replace. No operation
// opens the file itself. Every failure is shown to the user as a message box through the
// MessageBoxService each operation is given; a ShownInAction there shows each message once in one
// user action, however many calls of that action fail the same way.
#include "platform/dialogs/messagebox.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qv {

// The message boxes of one window, which shows each message once in one user action (a click
// that writes several keys, a load that reads many): the same failure of every call after the
// first tells the user nothing new. The window marks each action with an Action that lives as
// long as it; nested ones belong to the outermost. Outside any action every message is shown.
class ShownInAction final : public MessageBoxService {
public:
    explicit ShownInAction(MessageBoxService& box) : box_(box) {}
    void show(const QString& text, const QString& title, MsgIcon icon) override;
    bool ask(const QString& text, const QString& yes, const QString& no) override;

    class Action {
    public:
        explicit Action(ShownInAction& shown);
        ~Action();
        Action(const Action&) = delete;
        Action& operator=(const Action&) = delete;

    private:
        ShownInAction& shown_;
    };

private:
    MessageBoxService& box_;
    std::vector<QString> shown_;
    int actions_ = 0;
};

// The result of ReadKey: absent when the file does not exist, otherwise the value (empty when
// the key is missing). Callers that want text use value_or(QString()).
using ProfileValue = std::optional<QString>;

ProfileValue ReadKey(const QString& path, const QString& section, const QString& key,
                     MessageBoxService& messages);

// ReadKey of many keys of one section, with the file read once: the same values, or absent (after
// the one message ReadKey shows) when there is no file.
std::optional<std::vector<QString>> ReadKeys(const QString& path, const QString& section,
                                             const std::vector<QString>& keys,
                                             MessageBoxService& messages);

// The text that ReadKey gives back of a value as the profile engine finds it (its readable part):
// up to a NUL, cut to 254 characters.
QString valueAsRead(std::string_view value);

// True when the stored value of the key is more than value, the text ReadKey gave for it: longer
// than the 254 characters a read gives back, or changed since. Shows nothing. (A NUL byte ends a
// value, as in the Windows functions: what follows it is no part of the value.)
bool ValueWasCut(const QString& path, const QString& section, const QString& key,
                 const QString& value);

// Status results: 1 when the change was made, 0 when it was refused. A change that cannot be
// saved (no right to write, full disk, a name or value holding a line break or NUL) returns 0
// after a stop message naming the path; the file is then as it was.
std::int16_t WriteKey(const QString& path, const QString& section, const QString& key,
                      const QString& value, MessageBoxService& messages);
std::int16_t DeleteSection(const QString& path, const QString& section,
                           MessageBoxService& messages);
std::int16_t DeleteKey(const QString& path, const QString& section, const QString& key,
                       MessageBoxService& messages);
std::int16_t RenameSection(const QString& path, const QString& oldName, const QString& newName,
                           MessageBoxService& messages);
std::int16_t RenameKey(const QString& path, const QString& section, const QString& oldKey,
                       const QString& newKey, MessageBoxService& messages);

// RenameKey for each pair in turn, saved as one atomic change of the file: every pair gets the
// checks and messages of RenameKey as if renamed alone after the pairs before it, but the file
// is read once and written once, so a reader or a crash sees all of the renames or none. Returns
// how many pairs were renamed; when the save fails it says so once and returns 0, the file as it
// was.
int RenameKeys(const QString& path, const QString& section,
               const std::vector<std::pair<QString, QString>>& renames,
               MessageBoxService& messages);

// The rewrite of RenameSection on the bytes of the file: the first header equal to
// "[" + oldName + "]" becomes "[" + newName + "]", the lines are joined with the file's own line
// end (its first one), and blank lines at the very start and right after that header are dropped.
// Nothing when there is no such header.
std::optional<std::string> renameSectionText(std::string_view bytes, const QString& oldName,
                                             const QString& newName);

// True when the path names a file too large for the profile functions to read: every operation
// then shows "qv.ini is larger than 64 MiB and is not read" (named by the file) instead of
// reading it, and changes nothing. Callers use it not to add a message of their own that would
// name a wrong cause, such as no tabs.
bool ProfileTooLarge(const QString& path);

bool SectionExists(const QString& path, const QString& section, MessageBoxService& messages);
bool KeyExists(const QString& path, const QString& section, const QString& key,
               MessageBoxService& messages);
bool IsKeyLine(const QString& line);
bool IsSectionLine(const QString& line);

} // namespace qv
