// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The icon of a program's windows (the window list, the task bar, Alt+Tab).
#include <QIcon>
#include <QString>

namespace qv {

// The icon NAME ("quorvel-student", "quorvel-manager") of the icon theme, as the package installs
// it; the picture built into the program where the theme has none.
QIcon programIcon(const QString& name);

} // namespace qv
