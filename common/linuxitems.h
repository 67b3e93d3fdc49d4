#pragma once
// The kind of a menu item. Shortcuts ("lnk") and programs ("exe") are told apart by their last
// three characters, exactly as on Windows and checked first, so a menu written there behaves the
// same; beside them a Linux desktop has desktop entries (".desktop") and bare executables (a
// program file whose name holds no dot).
#include <QImage>
#include <QString>
#include <optional>

namespace qv {

class IconSurface;

enum class MenuItemKind { Shortcut, Program, DesktopEntry, Executable, Other };

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

// Caption, tooltip, hint and announcement of a desktop entry (its localized Name) or of a bare
// executable (its whole file name); nothing for the other kinds, which keep their own rule.
std::optional<QString> linuxItemCaption(const QString& item);
// The 32 x 32 face icon of a desktop entry or a bare executable; null for the other kinds.
QImage linuxItemIcon(const QString& item);
// The caption, tooltip, hint and announcement of any item: the rule above for the two Linux
// kinds, FileNameFromPath(item, false) for every other item, exactly as before.
QString ItemDisplayName(const QString& item);
// Draws the face icon of a desktop entry or a bare executable onto the surface, over what it
// shows, and fixes the picture; false (drawing nothing) for the other kinds.
bool drawLinuxItemIcon(IconSurface& imgicon, const QString& item);
// Starts a desktop entry or a bare executable and shows a message when it cannot be started.
// Nothing for the other kinds (the caller starts them as before); otherwise whether it started.
std::optional<bool> startLinuxItem(const QString& item);

} // namespace qv
