// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's own modules: the speech recognizer and the character's voice are built as
// modules that are opened the first time they are needed, so that a launcher whose pupils never
// speak to it does not map PocketSphinx, espeak-ng and PulseAudio, and its first page is painted
// before any of them is read from disk.
#include <QFunctionPointer>
#include <QString>
#include <QStringList>

namespace qv {

// The folders a module is looked for in, in order: $QV_MODULE_DIR when set, the program's own
// folder (a build), then the installed module folder relative to the program.
QStringList moduleFolders();

// Opens the module NAME (file NAME.so) from the first folder that holds it and returns its
// entry point SYMBOL. A module is never closed again. Nothing, with the reason in *error, when
// no folder holds it, it cannot be opened or it has no such entry point.
QFunctionPointer moduleEntry(const QString& name, const char* symbol, QString* error);

} // namespace qv
