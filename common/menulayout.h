#pragma once
// The layout of the menu file qv.ini: where it is, its section and key names, the two special
// items and how a stored count is read.
#include <QString>
#include <cstdint>

namespace qv {

// The folder of the program's data (standard/, ordergrammar.xml, character/): the folder of the
// running program when it holds them, as in a build; share/quorvel beside it when installed.
QString programFolder();
// The menu file both programs use: the one chosen at start (useProfilePath), else the program
// folder followed by the separator and qv.ini.
QString ProfilePath();
// The qv.ini in a given folder.
QString ProfilePath(const QString& folder);
// Set once at start, before any window reads the menu.
void useProfilePath(const QString& path);

inline constexpr int kPageSize = 10;

inline const QString kSettings = QStringLiteral("Settings");
inline const QString kNumberOfTabs = QStringLiteral("Number of tabs");
// The count is read under one spelling and written under another; profile keys match without
// regard to letter case, and both programs rely on it.
inline const QString kNumberOfButtonsRead = QStringLiteral("Number Of Buttons");
inline const QString kNumberOfButtonsWrite = QStringLiteral("Number of Buttons");
inline const QString kMyComputer = QStringLiteral("My Computer.lnk");
inline const QString kMyDocuments = QStringLiteral("My Documents.lnk");

// "Tab" + n, the caption key of tab n in Settings (no blank).
QString tabCaptionKey(int n);
// "Tab " + n, the section of tab n's buttons (one blank).
QString tabSection(int n);
// "Button " + m.
QString buttonKey(int m);

// "My Computer.lnk" and "My Documents.lnk" (exactly so, letter case included) become the file of
// that name in the standard folder under the program folder; every other value is unchanged.
QString resolveSpecialItem(const QString& stored);
QString resolveSpecialItem(const QString& stored, const QString& folder);

// Before the item read for button m of tab t is started: true, after a message, when the stored
// value was cut on reading (ValueWasCut) or holds a NUL byte, where a read ends it. A cut path
// may name another program, so it is never started; the file is left as it is.
bool refuseCutItem(const QString& profilePath, int tab, int button, const QString& item);

// A count as stored ("Number of tabs", "Number Of Buttons").
struct MenuCount {
    enum class State {
        Empty,     // no value: the tab has no buttons, the menu no tabs
        Number,    // a plain decimal number from 0 to 32767
        Unreadable // anything else: the windows refuse to change what it counts
    };
    State state = State::Empty;
    std::int16_t value = 0; // 0 unless state is Number

    bool isNumber() const { return state == State::Number; }
};
MenuCount parseCount(const QString& text);

} // namespace qv
