// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The layout of the menu file qv.ini: where it is, its section and key names, the two special
// items and how a stored count is read.
#include "platform/dialogs/messagebox.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace qv {

// The folder of the program's data (standard/, ordergrammar.xml, character/): the folder of the
// running program when it holds them, as in a build; share/quorvel beside it when installed.
QString programFolder();
// The menu file in the program folder: its path followed by the separator and qv.ini. (A program
// started on another menu hands that path to its window.)
QString ProfilePath();
// The qv.ini in a given folder.
QString ProfilePath(const QString& folder);

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
bool refuseCutItem(const QString& profilePath, int tab, int button, const QString& item,
                   MessageBoxService& messages);

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

// What both windows say when the tab shown has a count that cannot be read (stored is the text
// under "Number Of Buttons" of tab in the file at path). They then show the buttons stored from
// button 1 up to the first missing one, on one page.
QString unreadableCountText(const QString& path, int tab, const QString& stored);

// Tells unreadableCountText once for each tab of one content of the menu file: a window that
// shows the tab again, or pages back to it, does not nag; a changed file is told again.
class UnreadableCountNotice {
public:
    void tell(const QByteArray& menu, const QString& path, int tab, MessageBoxService& messages,
              const QString& title = {});

private:
    QByteArray menu_;
    QList<int> told_;
};

// The tab to show after the menu was read again, of the new captions, for the tab shown before
// (its index and caption): the tab with the same caption (at the same place when it is there,
// else the first one), else the same place (the last tab when there are fewer); -1 when there is no
// tab. A tab added or removed before the pupil's or teacher's tab thus does not move them to
// another one.
int tabToKeep(const QStringList& captions, int index, const QString& caption);

} // namespace qv
