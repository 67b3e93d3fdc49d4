// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The logged-on user, for the character's greeting and the class menu of the user's groups.
#include <QString>
#include <QStringList>

namespace qv {

// The user's login name as the system reports it, or an empty text when it cannot be found.
QString logonUserName();

// The names of the Unix groups of the user running the program, in the order in which a line
// for each is looked for in menu.conf; empty when the user cannot be found.
QStringList userGroups();

} // namespace qv
