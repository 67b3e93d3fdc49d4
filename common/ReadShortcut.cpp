// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/ReadShortcut.h"

#include "common/ShrtcutPath.h"
#include "platform/shortcuts/shortcut.h"

namespace qv {

bool ReadShortcut(const QString& path, QString& target, QString& workingDirectory,
                  QString& arguments, QString& iconFile, std::int32_t& iconIndex,
                  std::int32_t& showCommand) {
    if (path.isEmpty()) {
        return false;
    }
    const auto info = readShortcutFile(TrimAtNul(path));
    if (!info) {
        return false;
    }
    // A network target comes first, as the shell link gives it when asked for UNC priority.
    target = TrimAtNul(info->networkPath.isEmpty() ? info->localPath : info->networkPath);
    workingDirectory = TrimAtNul(info->workingDirectory);
    arguments = TrimAtNul(info->arguments);
    iconFile = TrimAtNul(info->iconFile);
    iconIndex = info->iconIndex;
    showCommand = info->showCommand;
    return true;
}

} // namespace qv
