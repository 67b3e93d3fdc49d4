#include "common/linuxitems.h"

#include "common/GetFileName.h"
#include "common/ui/imgicon.h"

#include "platform/desktopentry.h"
#include "platform/messagebox.h"

#include <QPainter>

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

namespace {

QImage iconOf(const QString& item, MenuItemKind kind) {
    switch (kind) {
    case MenuItemKind::DesktopEntry:
        return desktopEntryIcon(item);
    case MenuItemKind::Executable:
        return executableIcon(item);
    default:
        return {};
    }
}

} // namespace

QImage linuxItemIcon(const QString& item) {
    return iconOf(item, menuItemKind(item));
}

QString ItemDisplayName(const QString& item) {
    return menuItem(item).caption;
}

bool drawLinuxItemIcon(IconSurface& imgicon, const QString& item) {
    return drawLinuxItemIcon(imgicon, item, menuItemKind(item));
}

bool drawLinuxItemIcon(IconSurface& imgicon, const QString& item, MenuItemKind kind) {
    if (!isLinuxItem(kind)) {
        return false;
    }
    const QImage icon = iconOf(item, kind);
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
