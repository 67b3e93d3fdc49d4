#include "common/linuxitems.h"

#include "common/GetFileName.h"
#include "common/ui/imgicon.h"

#include "platform/desktopentry.h"
#include "platform/messagebox.h"

#include <QPainter>

namespace qv {

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
