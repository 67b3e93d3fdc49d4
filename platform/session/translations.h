// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's texts in the user's language: our catalogue (quorvel_<lang>.qm in the data
// folder's translations/) and Qt's own for its dialogs and buttons, chosen by QLocale(), which
// follows LANGUAGE, LC_ALL, LC_MESSAGES and LANG.
#include <QString>

namespace qv {

// translations/ in the data folder: beside the binaries in a build, share/quorvel when installed.
QString translationsFolder();

// Installs, for the application's lifetime, the first of the user's languages that the folder
// has a catalogue for, and Qt's catalogue of that same language. A missing or damaged file
// leaves English; nothing is said. Gives the language installed ("" for none).
QString installTranslations(const QString& folder);

} // namespace qv
