// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a menu item is: its kind, decided in this one place for the whole program (the faces and
// previews of both windows, and the start facility, which is handed this kind), and the caption
// it shows. Shortcuts ("lnk") and programs ("exe") are told apart by their last three characters,
// checked first, so a menu written on Windows behaves the same; beside them a Linux desktop has
// desktop entries (".desktop") and bare executables (a program file whose name holds no dot).
//
// The case rule: every suffix is compared exactly, letter case included. Windows itself would
// take "Paint.LNK" for a shortcut, but the menu's own rule is that the kind is read from the
// stored text as it is written, like every other comparison of paths and names in the menu (the
// special items "My Computer.lnk" and "My Documents.lnk" too): "Paint.LNK" or "x.EXE" get no
// icon in either window, and a drop of one is not taken. An item must then also start as the
// kind its button shows, so such an item is opened as a document is, never followed as a
// shortcut behind a face that does not show one.
#include "platform/shell/itemkind.h"

#include <QString>

namespace qv {

struct MenuItem {
    MenuItemKind kind = MenuItemKind::Other;
    QString path;    // as stored (special items already expanded by the caller)
    QString caption; // caption, tooltip, hint and announcement
};

// The last path component ('/' separates, as on this platform).
QString itemFileName(const QString& item);
// The path ends in ".desktop", letter case included.
bool hasDesktopEntryName(const QString& item);
// The last component is not empty and holds no dot.
bool hasNoExtension(const QString& item);

// The kind by name, given whether the path is a regular file that may be run. Pure.
MenuItemKind menuItemKindOf(const QString& item, bool executableFile);
// The kind; asks the file system only for a name that could be a bare executable.
MenuItemKind menuItemKind(const QString& item);
// One of the two kinds added for Linux desktops.
bool isLinuxItem(MenuItemKind kind);

// The item with its kind and caption, each decided once.
MenuItem menuItem(const QString& path);

} // namespace qv
