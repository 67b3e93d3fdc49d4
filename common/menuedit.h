// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The editor's four changes of the menu (add and delete a button, add and remove a tab), each
// made on the menu file as it is at that moment, never on what a window saw earlier.
//
// Each change is a pure function from the bytes of the file to its new bytes: it checks that the
// tab or button the teacher acted on is still the one on screen, applies the one change (a delete
// renumbers the later buttons in the same text) and gives the new menu, in time linear in the
// file. changeMenuFile runs one of them under the menu's lock: read, change, one atomic replace,
// so that a crash leaves the old menu or the new one, and two editors never lose each other's
// changes.
#include "platform/profile/menufile.h"

#include <QString>
#include <functional>
#include <string>
#include <string_view>

namespace qv::menuedit {

enum class Result {
    Changed,      // bytes holds the new menu
    Stale,        // the file no longer holds what the window showed; nothing changed
    DamagedCount, // the count the change needs is not a number from 0 to 32767
    Full,         // the count is already 32767
    Refused       // a text the file cannot hold (a line break, a NUL...)
};

struct Change {
    Result result = Result::Stale;
    std::string bytes;
    int number = 0; // the new button's or tab's number, or the deleted one's
};

// A tab as the window shows it: its position in the strip (from 1) and its caption.
struct ShownTab {
    int number = 0;
    QString caption;
};

// Appends the item as the tab's last button.
Change addButton(std::string_view bytes, const ShownTab& tab, const QString& item);
// Deletes button n, which the window showed holding shownItem, and moves the later ones down.
Change deleteButton(std::string_view bytes, const ShownTab& tab, int n, const QString& shownItem);
// Appends a tab with the caption.
Change addTab(std::string_view bytes, const QString& caption);
// Removes the tab with its buttons and moves the later tabs down.
Change removeTab(std::string_view bytes, const ShownTab& tab);

// True when one of the tab's counted buttons holds exactly this item, as the programs read it.
bool tabHoldsItem(std::string_view bytes, int tab, const QString& item);

// True when the bytes read as a menu: only blanks and remarks, or a [Settings] or [Tab n]
// section. Anything else is some other file, which the editor never writes into.
bool readsAsMenu(std::string_view bytes);

// Why changeMenuFile did not save.
enum class Saved {
    Yes,
    NotChanged,     // the change gave no new menu (see the change's result)
    ReadOnly,       // the user may not write the file
    FolderReadOnly, // no new file can be made in the file's folder
    NotAMenu,       // the file, or the file a link leads to, is no menu of the user's
    Busy,           // another editor held the menu for longer than a change may wait
    TooLarge,       // the file is too large to be read
    Failed          // the file could not be read, or the new one not put in place
};
struct FileChange {
    Saved saved = Saved::Failed;
    Change change;
    menufile::Access access = menufile::Access::Missing;
};
FileChange changeMenuFile(const QString& path,
                          const std::function<Change(std::string_view bytes)>& change);

} // namespace qv::menuedit
