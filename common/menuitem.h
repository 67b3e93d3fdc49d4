// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a menu item is: its kind, decided in this one place, and the caption it shows. Shortcuts
// ("lnk") and programs ("exe") are told apart by their last three characters, compared exactly
// (letter case included) and checked first, so a menu written on Windows behaves the same; beside
// them a Linux desktop has desktop entries (".desktop", exactly so) and bare executables (a
// program file whose name holds no dot).
#include <QString>

namespace qv {

enum class MenuItemKind { Shortcut, Program, DesktopEntry, Executable, Other };

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
