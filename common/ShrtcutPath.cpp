// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/ShrtcutPath.h"

#include "platform/dialogs/messagebox.h"
#include "platform/shortcuts/shortcut.h"

#include <QCoreApplication>

namespace qv {

QString TrimAtNul(const QString& buffer) {
    const qsizetype nul = buffer.indexOf(QChar(u'\0'));
    return nul < 0 ? buffer : buffer.left(nul);
}

QString ResolveShortcutTarget(const QString& shortcutPath, MessageBoxService& messages) {
    // The path travels as NUL-terminated text, so anything after a NUL is not part of it.
    const auto info = readShortcutFile(TrimAtNul(shortcutPath));
    QString target = info ? TrimAtNul(info->target()) : QString();
    if (target.isEmpty()) {
        MsgBox(messages,
               QCoreApplication::translate("ShrtcutPath", "This shortcut does not contain a path."),
               {}, MsgIcon::None);
    }
    return target;
}

} // namespace qv
