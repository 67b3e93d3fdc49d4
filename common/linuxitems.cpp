#include "common/linuxitems.h"

#include "platform/desktopentry.h"
#include "platform/messagebox.h"

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

ItemKind itemKindOf(const QString& item, bool executableFile) {
    const QString type = item.right(3);
    if (type == QLatin1String("lnk")) {
        return ItemKind::Shortcut;
    }
    if (type == QLatin1String("exe")) {
        return ItemKind::Program;
    }
    if (hasDesktopEntryName(item)) {
        return ItemKind::DesktopEntry;
    }
    if (executableFile && hasNoExtension(item)) {
        return ItemKind::Executable;
    }
    return ItemKind::Other;
}

ItemKind itemKind(const QString& item) {
    const ItemKind byName = itemKindOf(item, false);
    if (byName != ItemKind::Other || !hasNoExtension(item)) {
        return byName;
    }
    return itemKindOf(item, isExecutableFile(item));
}

bool isLinuxItem(ItemKind kind) {
    return kind == ItemKind::DesktopEntry || kind == ItemKind::Executable;
}

std::optional<QString> linuxItemCaption(const QString& item) {
    switch (itemKind(item)) {
    case ItemKind::DesktopEntry:
        return desktopEntryCaption(item);
    case ItemKind::Executable:
        return itemFileName(item);
    default:
        return std::nullopt;
    }
}

QImage linuxItemIcon(const QString& item) {
    switch (itemKind(item)) {
    case ItemKind::DesktopEntry:
        return desktopEntryIcon(item);
    case ItemKind::Executable:
        return executableIcon(item);
    default:
        return {};
    }
}

std::optional<bool> startLinuxItem(const QString& item) {
    StartResult result;
    switch (itemKind(item)) {
    case ItemKind::DesktopEntry:
        result = startDesktopEntry(item);
        break;
    case ItemKind::Executable:
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
