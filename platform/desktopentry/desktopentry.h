// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The menu items of a Linux desktop: desktop entries (".desktop" files) and bare executables.
//
// Desktop entries are read, localized and started through GLib (GKeyFile, GDesktopAppInfo), the
// library the desktops themselves use, so that Name[xx], escapes, quoting and the field codes of
// Exec behave exactly as in the desktop's own menus. Nothing is ever run through a shell.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>
#include <optional>

namespace qv {

// The keys of a desktop entry that the menu uses.
struct DesktopEntry {
    QString name;             // Name, localized for the user's languages; may be empty
    QString icon;             // Icon as written: a theme icon name or an absolute path
    QString type;             // Type: "Application", "Link", "Directory", ...
    bool hidden = false;      // Hidden: the entry counts as deleted
    bool noDisplay = false;   // NoDisplay: not meant to be shown in menus
    bool terminal = false;    // Terminal: the program runs in a terminal emulator
    QString workingDirectory; // Path: the folder to start in; empty when not set
    QString exec;             // Exec, with its field codes as written; empty when missing
    QString tryExec;          // TryExec: the program that must exist; empty when not set
    QString url;              // URL of a Link entry
};

// Reads a desktop entry file with the user's languages (LANGUAGE, LC_ALL, LC_MESSAGES, LANG).
// Returns nothing for a file that cannot be read or is no desktop entry (no "[Desktop Entry]"
// group, bad syntax, not UTF-8); error then says why.
std::optional<DesktopEntry> readDesktopEntry(const QString& file, QString* error = nullptr);
// The same for the bytes of an entry (bounded, never throws).
std::optional<DesktopEntry> parseDesktopEntry(const QByteArray& data, QString* error = nullptr);

// The text a button shows for the entry file: its localized Name, else its file name without
// ".desktop" (an entry that cannot be read, or one without a Name, still gets a caption).
QString desktopEntryCaption(const QString& file);

// Why the entry cannot be started, or an empty text when it can be. caption names it in the text.
QString desktopEntryRefusal(const DesktopEntry& entry, const QString& caption);

// The first field code (such as "%k") that stands inside a quoted argument of an Exec line (or
// right after a backslash), or empty when there is none. Such an entry is never started: the
// text put in its place would be quoted a second time and could close the quotes (sh -c "echo %k"
// with a folder named 'x";reboot;"').
QString fieldCodeInQuotes(const QString& exec);

// The program that an Exec line runs (its first word, quotes and escapes removed), or empty when
// the line cannot be split.
QString execProgram(const QString& exec);

// An icon given as a theme icon name or an absolute path, drawn 32 x 32 with transparency
// (smaller pictures centred, larger ones scaled down keeping their shape); null when not found.
QImage iconImage(const QString& nameOrPath);
// The icon of an entry file: its Icon, else the generic program icon for an Application.
QImage desktopEntryIcon(const QString& file);

// The XDG application folders, most important first: $XDG_DATA_HOME/applications, then
// applications/ under each folder of $XDG_DATA_DIRS (defaults as the XDG base directories say).
QStringList applicationFolders();
// The first desktop entry under the application folders (searched recursively, earlier folders
// first) whose Exec runs this file: an absolute program path naming the same file, or a bare
// name that PATH resolves to it. Entries marked Hidden do not count. Empty when there is none.
QString findDesktopEntryForExecutable(const QString& executable);
// The generic icon of a program: the theme's "application-x-executable", else that icon from
// another installed theme, else Qt's file icon.
QImage genericExecutableIcon();
// The icon of a bare executable: that of the desktop entry naming it, else the icon theme's icon
// of its file name, else the generic one.
QImage executableIcon(const QString& executable);

// True for a regular file (links followed) that the user may run.
bool isExecutableFile(const QString& path);

// The outcome of a start: started, or a message for the user saying why not.
struct StartResult {
    bool started = false;
    QString message;
};

// The Exec line that is handed to GLib for the entry at file: %k filled in with file (GLib
// cannot know it for an entry handed over as keys), and, when the entry wants a terminal and one
// is given, run as "terminal -e <Exec>".
QString launchExec(const DesktopEntry& entry, const QString& file, const QString& terminal);

// Starts an entry file: an Application through GLib (field codes expanded, in its Path, in a
// terminal emulator when Terminal is true: x-terminal-emulator when installed, else the first one
// GLib knows), a Link by opening its URL with xdg-open. Hidden, NoDisplay and other types are
// refused with a message, as are entries without a command.
StartResult startDesktopEntry(const QString& file);
// Starts a program file directly, without arguments and without a shell.
StartResult startExecutable(const QString& file);

} // namespace qv
