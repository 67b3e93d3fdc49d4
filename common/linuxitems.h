// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The captions, icons and starts of the two kinds of item added for Linux desktops (desktop
// entries and bare executables); the kind itself is decided in common/menuitem.h.
#include "common/menuitem.h"
#include "platform/dialogs/messagebox.h"

#include <QImage>
#include <QString>
#include <optional>

namespace qv {

// Caption, tooltip, hint and announcement of a desktop entry (its localized Name) or of a bare
// executable (its whole file name); nothing for the other kinds, which keep their own rule.
// The forms with a kind take the item's kind as menuItemKind decided it, so that a page does not
// ask the file system again for each item.
std::optional<QString> linuxItemCaption(const QString& item);
std::optional<QString> linuxItemCaption(const QString& item, MenuItemKind kind);
// The 32 x 32 face icon of a desktop entry or a bare executable; null for the other kinds.
QImage linuxItemIcon(const QString& item);
QImage linuxItemIcon(const QString& item, MenuItemKind kind);
// The caption, tooltip, hint and announcement of any item: the rule above for the two Linux
// kinds, FileNameFromPath(item, false) for every other item, exactly as before.
QString ItemDisplayName(const QString& item);
// Starts a desktop entry or a bare executable and shows a message when it cannot be started.
// Nothing for the other kinds (the caller starts them as before); otherwise whether it started.
std::optional<bool> startLinuxItem(const QString& item, MessageBoxService& messages);

} // namespace qv
