// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/menuitem.h"

#include "common/GetFileName.h"
#include "common/linuxitems.h"
#include "platform/desktopentry/desktopentry.h"

namespace qv {

QString itemFileName(const QString& item) {
    const qsizetype cut = item.lastIndexOf(QLatin1Char('/'));
    return cut < 0 ? item : item.mid(cut + 1);
}

bool hasDesktopEntryName(const QString& item) {
    return item.endsWith(QLatin1String(".desktop"));
}

bool hasNoExtension(const QString& item) {
    const QString name = itemFileName(item);
    return !name.isEmpty() && !name.contains(QLatin1Char('.'));
}

MenuItemKind menuItemKindOf(const QString& item, bool executableFile) {
    const QString type = item.right(3);
    if (type == QLatin1String("lnk")) {
        return MenuItemKind::Shortcut;
    }
    if (type == QLatin1String("exe")) {
        return MenuItemKind::Program;
    }
    if (hasDesktopEntryName(item)) {
        return MenuItemKind::DesktopEntry;
    }
    if (executableFile && hasNoExtension(item)) {
        return MenuItemKind::Executable;
    }
    return MenuItemKind::Other;
}

MenuItemKind menuItemKind(const QString& item) {
    const MenuItemKind byName = menuItemKindOf(item, false);
    if (byName != MenuItemKind::Other || !hasNoExtension(item)) {
        return byName;
    }
    return menuItemKindOf(item, isExecutableFile(item));
}

bool isLinuxItem(MenuItemKind kind) {
    return kind == MenuItemKind::DesktopEntry || kind == MenuItemKind::Executable;
}

MenuItem menuItem(const QString& path) {
    const MenuItemKind kind = menuItemKind(path);
    return {kind, path, linuxItemCaption(path, kind).value_or(FileNameFromPath(path, false))};
}

} // namespace qv
