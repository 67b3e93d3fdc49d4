// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A first menu instead of an error: when nothing is where the editor looks for its menu, it asks
// once whether to make one there from the starter menu the package ships, and says whether pupils
// will see a menu in that place.
#include "platform/dialogs/messagebox.h"
#include "platform/session/startup.h"

#include <QString>
#include <functional>

namespace qv::firstmenu {

// Who reads a menu in the place a setting chose.
enum class Audience {
    Shared,     // a folder named for the machine or the session: pupils' launchers read it too
    OwnAccount, // the user's own config folder: no other account sees it
    SameOption  // a --menu path: only programs started with the same path
};
Audience audienceOf(MenuSource source);

// True when nothing at all is at the path (not even a link or a folder): only then is a menu
// offered, so that anything else keeps its own message.
bool nothingAt(const QString& path);

// The question: where the menu would be made and who would see it.
QString question(const MenuLocation& menu);

enum class Outcome { Created, Exists, NoStarter, NotWritable, Failed };
struct Made {
    Outcome outcome = Outcome::Failed;
    QString message; // for the teacher, when the menu was not made
};
// Makes the menu at menuPath as a copy of the starter, creating its folder when needed; never over
// anything that is there already and never in a folder the user may not write.
Made create(const QString& menuPath, const QString& starterPath);

// When nothing is at the menu's path: asks (through ask when given, else in a message box with
// "Create Menu" (Return) and "Not Now" (Escape)), and on yes makes the menu, telling the teacher
// when it cannot be made. Declining changes nothing.
void offer(const MenuLocation& menu, const QString& starterPath, MessageBoxService& messages,
           const std::function<bool(const QString&)>& ask = {});

} // namespace qv::firstmenu
