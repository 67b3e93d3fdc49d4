// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Synthesised keyboard input: one key by its character, one key by its virtual-key code, or a
// whole string; and the state of the three lock keys. Works through win32::keybd_event and its
// companions (platform/keyboard/keyboard.h); keeps no state between calls.
//
// Errors are C++ exceptions, thrown before any key event of the failing call is sent:
// - PressKey with an empty sKey throws std::invalid_argument;
// - PressKeyVK with keyPress outside 0 to 255 throws std::overflow_error;
// - PressString stops at the first error of PressKey and lets it through; the characters sent
//   before it stay sent.
#include <QString>
#include <cstdint>

class clsKeyboard {
public:
    // Sends the key that types the first character of sKey (US layout), with the modifiers it
    // needs: both flags false press and release it; bHold only presses (the key and its
    // modifiers stay down); bRelease only releases. Both true send nothing. A character that
    // no key types sends nothing either.
    void PressKey(const QString& sKey, bool bHold = false, bool bRelease = false);
    // Types the text one character at a time, 20 ms apart; with bDoEvents the window events
    // that are waiting run between characters.
    void PressString(const QString& sString, bool bDoEvents = false);
    // Sends one virtual key, without modifiers; bCompatible suppresses the extended-key flag.
    void PressKeyVK(std::int32_t keyPress, bool bHold = false, bool bRelease = false,
                    bool bCompatible = false);
    // Each output is true while its lock is toggled on or its key is held down.
    void GetLockStatus(bool& bCapsLock, bool& bNumLock, bool& bScrollLock);
};
