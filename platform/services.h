// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The platform services a window uses, handed to it at construction. The programs' entry points
// fill this with the real backends; tests fill it with fakes. A null member means the service is
// not available (the window then goes on without it), except messages, which every window needs.
#include <QString>

namespace qv {

class ShellService;
class CharacterService;
class SpeechService;
class AppList;
class MessageBoxService;

struct Services {
    ShellService* shell = nullptr;
    CharacterService* character = nullptr;
    SpeechService* speech = nullptr;
    AppList* apps = nullptr;               // the desktop's installed applications (editor)
    MessageBoxService* messages = nullptr; // every message box of the window and what it calls
    // The menu file the program was started on; empty for qv.ini in the program folder.
    QString menuPath;
};

} // namespace qv
