#include "common/linuxitems.h"

#include "common/GetFileName.h"
#include "common/ui/imgicon.h"

#include "platform/desktopentry.h"
#include "platform/messagebox.h"

#include <QPainter>

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

std::optional<QString> linuxItemCaption(const QString& item) {
    switch (menuItemKind(item)) {
    case MenuItemKind::DesktopEntry:
        return desktopEntryCaption(item);
    case MenuItemKind::Executable:
        return itemFileName(item);
    default:
        return std::nullopt;
    }
}

QImage linuxItemIcon(const QString& item) {
    switch (menuItemKind(item)) {
    case MenuItemKind::DesktopEntry:
        return desktopEntryIcon(item);
    case MenuItemKind::Executable:
        return executableIcon(item);
    default:
        return {};
    }
}

QString ItemDisplayName(const QString& item) {
    return linuxItemCaption(item).value_or(FileNameFromPath(item, false));
}

bool drawLinuxItemIcon(IconSurface& imgicon, const QString& item) {
    if (!isLinuxItem(menuItemKind(item))) {
        return false;
    }
    const QImage icon = linuxItemIcon(item);
    if (!icon.isNull()) {
        QPainter painter(&imgicon.image());
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.drawImage(QRect(0, 0, 32, 32), icon);
    }
    imgicon.refresh();
    return true;
}

std::optional<bool> startLinuxItem(const QString& item) {
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
        MsgBox(result.message, {}, MsgIcon::Information);
    }
    return result.started;
}

} // namespace qv
