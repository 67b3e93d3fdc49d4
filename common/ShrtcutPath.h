// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file that a shortcut points to.
#include "platform/dialogs/messagebox.h"

#include <QString>

namespace qv {

// The shortcut's target path, or "" when it has none (then the user is told "This shortcut does
// not contain a path."). A missing or unreadable shortcut is a shortcut without a target.
QString ResolveShortcutTarget(const QString& shortcutPath, MessageBoxService& messages);

// The text before the first NUL, or the whole text when it holds none.
QString TrimAtNul(const QString& buffer);

} // namespace qv
