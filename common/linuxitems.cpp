// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/linuxitems.h"

#include "common/GetFileName.h"

#include "platform/desktopentry/desktopentry.h"
#include "platform/dialogs/messagebox.h"

namespace qv {

std::optional<QString> linuxItemCaption(const QString& item) {
    return linuxItemCaption(item, menuItemKind(item));
}

std::optional<QString> linuxItemCaption(const QString& item, MenuItemKind kind) {
    switch (kind) {
    case MenuItemKind::DesktopEntry:
        return desktopEntryCaption(item);
    case MenuItemKind::Executable:
        return itemFileName(item);
    default:
        return std::nullopt;
    }
}

QImage linuxItemIcon(const QString& item) {
    return linuxItemIcon(item, menuItemKind(item));
}

QImage linuxItemIcon(const QString& item, MenuItemKind kind) {
    switch (kind) {
    case MenuItemKind::DesktopEntry:
        return desktopEntryIcon(item);
    case MenuItemKind::Executable:
        return executableIcon(item);
    default:
        return {};
    }
}

QString ItemDisplayName(const QString& item) {
    return menuItem(item).caption;
}

std::optional<bool> startLinuxItem(const QString& item, MessageBoxService& messages) {
    StartResult result;
    switch (menuItemKind(item)) {
    case MenuItemKind::DesktopEntry:
        result = startDesktopEntry(item);
        break;
    case MenuItemKind::Executable:
        result = startExecutable(item);
        break;
    default:
        return std::nullopt;
    }
    if (!result.started) {
        MsgBox(messages, result.message, {}, MsgIcon::Information);
    }
    return result.started;
}

} // namespace qv
